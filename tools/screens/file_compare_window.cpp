#include "file_compare_window.hpp"

#include "file_compare.hpp"
#include "messages.hpp"
#include "utility_window_parts.hpp"

namespace zr {

FileCompareWindow::FileCompareWindow() : font_(toolFont()) {
    newUtilityWindow(window_, "X12 File Compare", font_);
    newUtilityReport(window_, font_, report_, {16, 9, 464, 108}, reportText_);
    loadFolderPictures(pictures_);
    newUtilityTree(window_, left_, {10, 1, 300, 230}, pictures_);
    newUtilityTree(window_, right_, {10, 60, 320, 230}, pictures_);
    newUtilityButton(window_, font_, exit_, 738, 64, "Exit", [this] { window_.End(); });
    newUtilityButton(window_, font_, select_, 495, 128, "Select a File", [this] { selectFiles(); });
}

FileCompareWindow::~FileCompareWindow() { endUtilityWindow(window_, font_); }

void FileCompareWindow::open() { window_.Activate(); }

void FileCompareWindow::selectFiles() {
    leftNodes_.clear();
    rightNodes_.clear();
    wl::FileDialogRequest r;
    r.filter = "*.*";
    r.title = "Select the Base X12 File";
    const std::string base = wl::CGETFILE(r);
    r.title = "Select the X12 File to Compare to the Base File";
    const std::string other = wl::CGETFILE(r);
    compared_ = CTLD51200A(base, other, leftNodes_, rightNodes_);
    reportText_ = compared_.report;
    report_.Refresh();
}

std::unique_ptr<FileCompareWindow> CTLD51200() {
    auto window = std::make_unique<FileCompareWindow>();
    window->open();
    return window;
}

}  // namespace zr
