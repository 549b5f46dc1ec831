// The frame the examples and projects windows share: the tools' window and
// font, the "Download List of Available ..." button, the available and the
// local trees, the folder label and field, "Folder", "Browse Files", "Parse
// Log" and "Exit"; and the "View File Using" dialog of both.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "button.hpp"
#include "examples_download.hpp"
#include "font.hpp"
#include "get.hpp"
#include "tool_tree_view.hpp"
#include "tree_view.hpp"
#include "viewer_dialog.hpp"
#include "window.hpp"

namespace zr {

// What the windows reach outside themselves; the main window gives the
// real ones, tests their own.
struct DownloadWindowHooks {
    DownloadActions actions;             // the conversion and the two viewers
    std::function<void()> showParseLog;  // "Parse Log"
    ViewerUi ui;                         // the "View File Using" dialog's observer
    std::function<bool(const std::string&)> notepad;  // none: Notepad of the Windows folder
};

// What tells one window from the other.
struct DownloadWindowTexts {
    std::string title;
    std::string downloadCaption;  // "Download List of Available ..."
    std::string folderLabel;      // "X12 Examples Folder" ...
    int browseLeft = 0, browseWidth = 0;
};

class DownloadWindow {
public:
    DownloadWindow(const DownloadWindowTexts& texts, DownloadPlaces places, DownloadWindowHooks hooks);
    virtual ~DownloadWindow();
    DownloadWindow(const DownloadWindow&) = delete;
    DownloadWindow& operator=(const DownloadWindow&) = delete;

    // Shows the window: returns at once while the program's loop runs.
    void open();
    bool isOpen() const { return window_.hWnd != nullptr; }

    // "Download List of Available ...": fetches the list and rebuilds the
    // available tree, expanded.
    void downloadList();
    // Selecting a node of either tree (what a click on it does).
    void selectAvailable(const std::string& text);
    void selectLocal(const std::string& text);

    wl::TWindow& window() { return window_; }
    wl::TTreeView& availableTree() { return available_; }
    wl::TTreeView& localTree() { return local_; }
    // The folder typed into the field: the local tree shows what it holds.
    void setFolder(const std::string& folder);
    // The places with the folder as the field holds it now.
    DownloadPlaces places() const;

protected:
    // Rebuilds a tree while no selection it moves chooses anything.
    void rebuildLocal();
    void rebuildAvailable();
    // Selects the local tree's first node without choosing it.
    void selectFirstLocal();

private:
    // A node chosen in one tree; the local tree is rebuilt afterwards.
    virtual void availableChosen(const std::string& text) = 0;
    virtual void localChosen(const std::string& text) = 0;
    // Fill the trees afresh: the list fetched, the folder read.
    virtual void fillAvailable() = 0;
    virtual void fillLocal() = 0;

private:
    void newTree(wl::TTreeView& tree, int row, int col, std::function<void(const std::string&)> chosen);
    void newButton(wl::TButton& button, int top, int left, int width, int height, const std::string& caption,
                   std::function<void()> action);

    std::shared_ptr<wl::TFont> font_;
    DownloadPlaces places_;
    std::string folder_;
    wl::TWindow window_;
    wl::TTreeView available_, local_;
    wl::TSay label_;
    wl::TGet folderField_;
    wl::TButton download_, folderButton_, browse_, parseLog_, exit_;
    bool busy_ = false;  // a choice at work: the trees it rebuilds choose nothing

protected:
    // After the tree views they fill (members are built in this order).
    ToolTreeView availableNodes_{available_};
    ToolTreeView localNodes_{local_};
    DownloadWindowHooks hooks_;
};

// CTLD51101 / CTLD51401: "View File Using": a file of the folder chosen, then
// a dialog offering the X12 viewer, the CSV viewer, Notepad and "Cancel".
void viewFileUsing(const std::string& folder, const DownloadWindowHooks& hooks);

}  // namespace zr
