// The examples installer's "Download Examples" dialog and the archive
// installer's entry. No menu starts them; they are entries a caller may
// start. The logic is in examples_installer.*.
#pragma once

#include <string>

#include "examples_installer.hpp"
#include "viewer_dialog.hpp"

namespace zr {

// The "Download Examples" dialog over the examples list of the current
// folder; `places` says where the list, the archive, the sibling program
// and the server are. Answers "" as the dialog does; true in `restart`
// when the user asked to restart the program after a clearing.
std::string examplesInstallerWindow(const ExamplesInstallerPlaces& places, bool* restart = nullptr,
                                    const ViewerUi& ui = {});

// The places for the program `programName`, from the current folder and
// "zr.ini" there.
ExamplesInstallerPlaces examplesInstallerPlaces(const std::string& programName);

}  // namespace zr
