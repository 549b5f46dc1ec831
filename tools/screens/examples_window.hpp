// The examples window "X12 Torvel Parser Examples": the examples the server
// offers and those installed in the folder; choosing an offered variant
// installs it, choosing an installed one runs it.
#pragma once

#include <memory>

#include "download_window.hpp"

namespace zr {

class ExamplesWindow : public DownloadWindow {
public:
    ExamplesWindow(DownloadPlaces places, DownloadWindowHooks hooks);

private:
    void availableChosen(const std::string& text) override;
    void localChosen(const std::string& text) override;
    void fillAvailable() override;
    void fillLocal() override;
};

// CTLD51100: opens the window; the caller keeps it while it is open.
std::unique_ptr<ExamplesWindow> CTLD51100(DownloadPlaces places, DownloadWindowHooks hooks);

}  // namespace zr
