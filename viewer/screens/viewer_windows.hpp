// The viewer on Windows: the pickers, the screens and Notepad behind the
// entry, and the one routing function from a set's kind to its screen.
#pragma once

#include <string>

#include "viewer_dialog.hpp"
#include "viewer_entry.hpp"

namespace zr {

// The screen of a set by its kind. Sets whose own screen is not built yet
// show the generic segment list (in the report modes they add nothing of
// their own); a later screen takes its kind's case here.
std::string openTransactionScreen(ScreenKind kind, const ScreenCall& call, const ViewerUi& ui = {});

// Starts Notepad of the Windows folder on the file without waiting; false
// when there is none.
bool startNotepadOn(const std::string& file);

class ViewerWindows : public ViewerScreens {
public:
    explicit ViewerWindows(ViewerUi ui = {}) : ui_(std::move(ui)) {}
    std::optional<SegmentTable> pickInterchange(const ScreenCall& whole) override;
    std::optional<SegmentTable> pickSet(const ScreenCall& call) override;
    std::string openScreen(ScreenKind kind, const ScreenCall& call) override;
    bool startNotepad(const std::string& file) override;
    void debugDialog() override;

private:
    ViewerUi ui_;
};

// The viewer as the main window opens it: CTLD39400 in screen mode 1.
std::string viewX12File(const std::string& modelCode, const std::string& file, const std::string& startFolder,
                        const ViewerUi& ui = {});
// CTLD39400 over the windows with every argument: a mode and a request
// reach the screens (and the joins of their passes' files).
std::string viewX12File(const ViewerRequest& request, const ViewerUi& ui = {});

}  // namespace zr
