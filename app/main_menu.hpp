// The main window's commands: the "Functions" and "Exit" menus, the five
// toolbar buttons, the title and the documentation page. Plain tables, so
// the screens only turn them into menu items and buttons.
#pragma once

#include <string>
#include <vector>

namespace zr {

inline constexpr char kModelCode[] = "ZRK7W315";
inline constexpr char kVersion[] = " 1.22C-01";

enum class MainCommand {
    X12Parser,        // the conversion dialog
    ViewX12,          // the X12 viewer
    ViewerFiles,      // the recently-used list of viewed files
    ClearViewerList,
    Separator,
    ViewCsv,
    ViewXml,
    ViewParseLog,
    ViewMapLog,
    MappingTool,
    FileInformation,
    FileCompare,
    DeIdentifier,
    Examples,
    Projects,
    DataDictionary,
    Information,
    Documentation,
    Quit,
};

struct MenuEntry {
    MainCommand command;
    std::string caption;  // "" for the separator and the recently-used list
    std::string message;  // the message bar's text while the entry is highlighted
    bool built = true;    // false: shown greyed, its message says what it will do
};

// The title of the program's model: "X12 Parser" for "ZRK7W315" (by
// characters 6 to 8 of the code); "" for a code of no known model.
std::string ZRTITLE(const std::string& modelCode);

// The "Functions" menu, in order; then the "Exit" menu's one entry.
const std::vector<MenuEntry>& functionsMenu();
const MenuEntry& quitEntry();

// The message shown while the recently-used list's entries are highlighted.
inline constexpr char kViewerFilesMessage[] = "X12 Viewer Most Recently Used Files..";
// The most entries of the menu's list.
inline constexpr int kViewerListMax = 25;

struct ToolButton {
    int resource;          // the picture's resource number
    std::string text;      // shown under the picture, in two rows at most
    std::string tooltip;
    MainCommand command;
    std::string dropDown;  // the recently-used section listed by its arrow, or ""
    bool built = true;
};

// The five toolbar buttons, left to right.
const std::vector<ToolButton>& toolbarButtons();

// The entry (or button) of a command; nullptr for a command without one.
const MenuEntry* menuEntry(MainCommand command);

// The documentation page's file name: the model code in lower case + ".htm".
std::string documentationPage(const std::string& modelCode);

// One of the five standard "Courier New" fonts, from the 640 x 480 design
// space: width x height and weight.
struct StandardFont {
    double width;
    int height;
    bool bold;
};
const std::vector<StandardFont>& standardFonts();

// The message bar's line.
inline constexpr char kMessageBarText[] =
    "X12 Parser: convert X12 EDI files to CSV or XML and back.  Use at your own risk; keep a copy of your data.";

}  // namespace zr
