// The "Data Dictionary" window: the registered tables and their fields in
// the left tree, the chosen field's values in the right tree, and the
// dialogs its nodes open (the table dialog, the field dialog, "Options").
#pragma once

#include <memory>
#include <string>

#include "button.hpp"
#include "data_dictionary.hpp"
#include "font.hpp"
#include "tool_tree_view.hpp"
#include "tree_view.hpp"
#include "viewer_dialog.hpp"
#include "window.hpp"

namespace zr {

// The dictionary's profile file through the system's profile functions.
DictionaryProfile systemDictionaryProfile();

class DataDictionaryWindow {
public:
    // `folder` holds the field tables and is where the dialogs start.
    DataDictionaryWindow(std::string folder, DictionaryProfile profile, ViewerUi ui = {});
    ~DataDictionaryWindow();
    DataDictionaryWindow(const DataDictionaryWindow&) = delete;
    DataDictionaryWindow& operator=(const DataDictionaryWindow&) = delete;

    // Shows the window: returns at once while the program's loop runs.
    void open();
    bool isOpen() const { return window_.hWnd != nullptr; }
    // What selecting the node with this text in a tree does (CTLD51300D),
    // then both trees are built again.
    void choose(const std::string& text, DictionaryTree tree);
    // The right tree's heading.
    const std::string& heading() const { return heading_; }

    wl::TWindow& window() { return window_; }
    wl::TTreeView& left() { return left_; }
    wl::TTreeView& right() { return right_; }

private:
    void newTree(wl::TTreeView& tree, int row, int col, int width, int height, DictionaryTree side);
    void selected(wl::TTreeView& tree, DictionaryTree side);
    void rebuild();

    std::string folder_;
    DictionaryProfile profile_;
    ViewerUi ui_;
    std::shared_ptr<wl::TFont> font_;
    wl::TWindow window_;
    wl::TTreeView left_, right_;
    ToolTreeView leftNodes_{left_}, rightNodes_{right_};
    wl::TButton exit_;
    std::string heading_;
    bool acting_ = false;
};

// CTLD51300: opens the window over the current folder's dictionary; the
// caller keeps it while it is open. Mode 2 is the main window's.
std::unique_ptr<DataDictionaryWindow> CTLD51300(const std::string& folder, int mode = 2,
                                                const ViewerUi& ui = {});

// CTLD51301: the "Options" dialog (only "Exit").
void CTLD51301(const std::string& text, const ViewerUi& ui = {});

enum class DictionaryTableMode { New = 0, Existing = 1 };
// CTLD51302: the table dialog titled with the node's text.
void CTLD51302(const std::string& nodeText, const std::string& folder, DictionaryTableMode mode,
               const DictionaryProfile& profile, const ViewerUi& ui = {});

// CTLD51303: the field dialog: mode 0 "Add Field" to the table (its name),
// mode 1 "Edit Field in " + table for a field node's record.
void CTLD51303(const std::string& folder, const std::string& tableOrNode, FieldWrite mode,
               const ViewerUi& ui = {});

}  // namespace zr
