// The message seam's boxes on Windows: the system's message box and the
// common file dialog.
#include <windows.h>

#include "messages.hpp"
#include "system_dialogs.hpp"

namespace wl {

bool platformMessageBox(const Prompt& p) {
    UINT style = MB_OK;
    switch (p.kind) {
        case PromptKind::Info: style = MB_OK | MB_ICONINFORMATION; break;
        case PromptKind::Alert: style = MB_OK | MB_ICONWARNING; break;
        case PromptKind::Stop: style = MB_OK | MB_ICONERROR; break;
        case PromptKind::YesNo: style = MB_YESNO | MB_ICONQUESTION; break;
        case PromptKind::NoYes: style = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2; break;
        case PromptKind::File:  // file choices go to the open dialog
        case PromptKind::Wait:  // the wait, choice and list windows have their own
        case PromptKind::Choice:
        case PromptKind::List: break;
    }
    return SYSMSGBOX(p.text, p.caption, style) == IDYES;
}

std::string platformFileDialog(const FileDialogRequest& request) { return FILEDIALOG(request); }

}  // namespace wl
