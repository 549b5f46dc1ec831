// The "X12 File Information" window: the envelope tree of a chosen file,
// its counts and totals and its control-character report.
#pragma once

#include <memory>
#include <string>

#include "button.hpp"
#include "file_information.hpp"
#include "font.hpp"
#include "image_list.hpp"
#include "multiget.hpp"
#include "tool_tree_view.hpp"
#include "tree_view.hpp"
#include "window.hpp"

namespace zr {

class FileInformationWindow {
public:
    FileInformationWindow();
    ~FileInformationWindow();
    FileInformationWindow(const FileInformationWindow&) = delete;
    FileInformationWindow& operator=(const FileInformationWindow&) = delete;

    // Shows the window: returns at once while the program's loop runs.
    void open();
    // "Select a File": asks for a file and examines it.
    void selectFile();
    // Whether the window is still on screen.
    bool isOpen() const { return window_.hWnd != nullptr; }

    wl::TWindow& window() { return window_; }
    wl::TTreeView& tree() { return tree_; }
    const FileSummary& summary() const { return summary_; }

private:
    void label(wl::TSay& say, int top, int left, int width, const std::string& text);
    void value(wl::TSay& say, int top, int left, int width, std::function<std::string()> text);

    std::shared_ptr<wl::TFont> font_;
    wl::TWindow window_;
    wl::TImageList pictures_;
    wl::TTreeView tree_;
    ToolTreeView treeNodes_{tree_};
    wl::TMultiGet report_;
    wl::TButton exit_, select_;
    static constexpr int kValues = 7;
    wl::TSay labels_[kValues], values_[kValues];
    FileSummary summary_;
    std::string reportText_;
};

// CTLD47300: opens the window; the caller keeps it while it is open.
std::unique_ptr<FileInformationWindow> CTLD47300();

}  // namespace zr
