#include "viewer_windows.hpp"

#include "acknowledgement_window.hpp"
#include "claim_status_window.hpp"
#include "claims_screen_window.hpp"
#include "eligibility_window.hpp"
#include "message_window.hpp"
#include "paths.hpp"
#include "pickers.hpp"
#include "programs.hpp"
#include "remittance_windows.hpp"
#include "segment_list_window.hpp"
#include "system_facts.hpp"

namespace zr {

std::string openTransactionScreen(ScreenKind kind, const ScreenCall& call, const ViewerUi& ui) {
    switch (kind) {
    case ScreenKind::None: return "";
    case ScreenKind::SegmentList: return CTLD39420(call, ui);
    case ScreenKind::Acknowledgement: return CTLD39408(call, ui);
    case ScreenKind::Message: return CTLD39409(call, ui);
    case ScreenKind::ClaimStatus: return CTLD39410(call, ui);
    case ScreenKind::Eligibility: return CTLD39412(call, ui);
    case ScreenKind::Claims837: return CTLD39406(call, ui);
    case ScreenKind::Remittance835: return CTLD39407(call, ui);
    }
    return "";
}

std::optional<SegmentTable> ViewerWindows::pickInterchange(const ScreenCall& whole) { return CTLD39405(whole, ui_); }

std::optional<SegmentTable> ViewerWindows::pickSet(const ScreenCall& call) { return CTLD39424(call, ui_); }

std::string ViewerWindows::openScreen(ScreenKind kind, const ScreenCall& call) {
    return openTransactionScreen(kind, call, ui_);
}

bool ViewerWindows::startNotepad(const std::string& file) { return startNotepadOn(file); }

bool startNotepadOn(const std::string& file) {
    const std::string folder = wl::GETWINDIR();
    if (!wl::fileExists(wl::joinPath(folder, "notepad.exe"))) return false;
    wl::WINEXEC(notepadCommandLine(folder, file), SW_SHOWNORMAL);
    return true;
}

void ViewerWindows::debugDialog() {
    ViewerDialog d("X12", 200, 60);
    d.button(10, 10, 40, 12, "Exit", [&] { d.close(); });
    d.run(ui_, {});
}

std::string viewX12File(const std::string& modelCode, const std::string& file, const std::string& startFolder,
                        const ViewerUi& ui) {
    ViewerRequest r;
    r.modelCode = modelCode;
    r.fileName = file;
    r.startFolder = startFolder;
    r.mode = 1;
    return viewX12File(r, ui);
}

std::string viewX12File(const ViewerRequest& request, const ViewerUi& ui) {
    ViewerWindows windows(ui);
    return CTLD39400(request, windows);
}

}  // namespace zr
