// The projects window "X12 Torvel Parser Project Samples": the sample
// projects the server offers and those installed in the folder; choosing an
// offered project installs it, choosing an installed one runs its request
// after the question.
#pragma once

#include <memory>

#include "download_window.hpp"

namespace zr {

class ProjectsWindow : public DownloadWindow {
public:
    ProjectsWindow(DownloadPlaces places, DownloadWindowHooks hooks);

private:
    void availableChosen(const std::string& text) override;
    void localChosen(const std::string& text) override;
    void fillAvailable() override;
    void fillLocal() override;

    AvailableProjects available_;
    LocalProjects local_;
};

// CTLD51400: opens the window; the caller keeps it while it is open.
std::unique_ptr<ProjectsWindow> CTLD51400(DownloadPlaces places, DownloadWindowHooks hooks);

}  // namespace zr
