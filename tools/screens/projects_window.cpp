#include "projects_window.hpp"

namespace zr {

namespace {

DownloadWindowTexts projectsTexts() {
    return {"X12 Torvel Parser Project Samples", "Download List of Available Projects", "X12 Projects Folder", 495,
            144};
}

}  // namespace

ProjectsWindow::ProjectsWindow(DownloadPlaces places, DownloadWindowHooks hooks)
    : DownloadWindow(projectsTexts(), std::move(places), std::move(hooks)) {
    available_ = CTLD51400A(availableNodes_, "");
    rebuildLocal();
    selectFirstLocal();
}

void ProjectsWindow::fillAvailable() {
    const std::string list = CTLD51400C(places().server);
    availableNodes_.clear();
    available_ = CTLD51400A(availableNodes_, list);
    availableNodes_.expandFilled();
}

void ProjectsWindow::availableChosen(const std::string& text) { CTLD51400E(text, available_, places()); }

void ProjectsWindow::localChosen(const std::string& text) {
    CTLD51400G(text, local_, places(), hooks_.actions);
}

void ProjectsWindow::fillLocal() {
    localNodes_.clear();
    local_ = CTLD51400B(places().folder, localNodes_);
    localNodes_.expandFilled();
}

std::unique_ptr<ProjectsWindow> CTLD51400(DownloadPlaces places, DownloadWindowHooks hooks) {
    auto window = std::make_unique<ProjectsWindow>(std::move(places), std::move(hooks));
    window->open();
    return window;
}

}  // namespace zr
