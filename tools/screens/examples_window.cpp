#include "examples_window.hpp"

namespace zr {

namespace {

DownloadWindowTexts examplesTexts() {
    return {"X12 Torvel Parser Examples", "Download List of Available Examples", "X12 Examples Folder", 360, 128};
}

}  // namespace

ExamplesWindow::ExamplesWindow(DownloadPlaces places, DownloadWindowHooks hooks)
    : DownloadWindow(examplesTexts(), std::move(places), std::move(hooks)) {
    // The manifest waits for the button: the window opens without the network.
    CTLD51100A(availableNodes_, "");
    rebuildLocal();
}

void ExamplesWindow::fillAvailable() {
    const std::string manifest = CTLD51100C(places().server);
    availableNodes_.clear();
    CTLD51100A(availableNodes_, manifest);
    availableNodes_.expandFilled();
}

void ExamplesWindow::availableChosen(const std::string& text) {
    CTLD51100E(text, 2, places(), hooks_.actions);
    // The example chosen in the installed list runs as well.
    if (const wl::TTVItem* chosen = localTree().GetSelected())
        CTLD51100E(chosen->GetText(), 1, places(), hooks_.actions);
}

void ExamplesWindow::localChosen(const std::string& text) { CTLD51100E(text, 1, places(), hooks_.actions); }

void ExamplesWindow::fillLocal() {
    localNodes_.clear();
    CTLD51100B(places().folder, localNodes_);
    localNodes_.expandFilled();
}

std::unique_ptr<ExamplesWindow> CTLD51100(DownloadPlaces places, DownloadWindowHooks hooks) {
    auto window = std::make_unique<ExamplesWindow>(std::move(places), std::move(hooks));
    window->open();
    return window;
}

}  // namespace zr
