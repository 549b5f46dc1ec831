// The "X12 File Compare" window: two chosen files listed side by side and
// their comparison with its report.
#pragma once

#include <memory>
#include <string>

#include "button.hpp"
#include "file_compare.hpp"
#include "font.hpp"
#include "image_list.hpp"
#include "multiget.hpp"
#include "tool_tree_view.hpp"
#include "tree_view.hpp"
#include "window.hpp"

namespace zr {

class FileCompareWindow {
public:
    FileCompareWindow();
    ~FileCompareWindow();
    FileCompareWindow(const FileCompareWindow&) = delete;
    FileCompareWindow& operator=(const FileCompareWindow&) = delete;

    // Shows the window: returns at once while the program's loop runs.
    void open();
    // "Select a File": asks for the base file and the one to compare, and
    // compares them.
    void selectFiles();
    bool isOpen() const { return window_.hWnd != nullptr; }

    wl::TWindow& window() { return window_; }
    wl::TTreeView& leftTree() { return left_; }
    wl::TTreeView& rightTree() { return right_; }
    const std::string& report() const { return reportText_; }

private:

    std::shared_ptr<wl::TFont> font_;
    wl::TWindow window_;
    wl::TMultiGet report_;
    wl::TImageList pictures_;
    wl::TTreeView left_, right_;
    ToolTreeView leftNodes_{left_}, rightNodes_{right_};
    wl::TButton exit_, select_;
    std::string reportText_;
    // The files' segments, which nodes opened later are built from.
    CompareResult compared_;
};

// CTLD51200: opens the window; the caller keeps it while it is open.
std::unique_ptr<FileCompareWindow> CTLD51200();

}  // namespace zr
