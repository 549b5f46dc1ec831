// The Windows build's message windows: system message boxes owned by the
// active window.
#include <windows.h>

#include "messages.hpp"

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
    return MessageBoxA(GetActiveWindow(), p.text.c_str(), p.caption.c_str(), style) == IDYES;
}

}  // namespace wl
