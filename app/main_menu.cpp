#include "main_menu.hpp"

#include "text.hpp"

namespace zr {

std::string ZRTITLE(const std::string& modelCode) {
    // Characters 6 to 8 of the code name the model.
    if (modelCode.size() >= 8 && modelCode.compare(5, 3, "315") == 0) return "X12 Parser";
    return "";
}

const std::vector<MenuEntry>& functionsMenu() {
    using C = MainCommand;
    // Entries whose screens are not part of the program yet stay greyed; their
    // message says what they will do.
    static const std::vector<MenuEntry> entries = {
        {C::X12Parser, "X12 Parser", "X12 Parser", true},
        {C::ViewX12, "View X12 File", "View X12 File", true},
        {C::ViewerFiles, "", kViewerFilesMessage, true},
        {C::ClearViewerList, "Clear Viewer File List", "", true},
        {C::Separator, "", "", true},
        {C::ViewCsv, "View CSV File", "View CSV File", true},
        {C::ViewXml, "View XML File", "View XML File", true},
        {C::ViewParseLog, "View Parse Log", "View Parse Log", true},
        {C::ViewMapLog, "View Map Log", "View Map Log", true},
        {C::MappingTool, "Mapping Tool", "Mapping Tool", true},
        {C::FileInformation, "X12 File Information", "X12 File Information", true},
        {C::FileCompare, "X12 File Compare", "X12 File Compare", true},
        {C::DeIdentifier, "X12 File De-Identifier", "X12 File De-Identifier", true},
        {C::Examples, "X12 Torvel Parser Examples", "X12 Torvel Parser Examples", true},
        {C::Projects, "X12 Torvel Parser Projects", "X12 Torvel Parser Projects", true},
        {C::DataDictionary, "Data Dictionary", "Data Dictionary", true},
        {C::Information, "Information", "Information about this system", true},
        {C::Documentation, "Documentation", "Complete System Reference Manual ", true},
    };
    return entries;
}

const MenuEntry& quitEntry() {
    static const MenuEntry quit{MainCommand::Quit, "Quit Application", "Terminate This Application", true};
    return quit;
}

const std::vector<ToolButton>& toolbarButtons() {
    using C = MainCommand;
    static const std::vector<ToolButton> buttons = {
        {13, "Torvel Parser", "Torvel Parser", C::X12Parser, "Database-Files", true},
        {7, "View X12 File", "View X12 File", C::ViewX12, "Viewer-Files", true},
        {6, "Documentation", "Documentation", C::Documentation, "", true},
        {11, "Information", "Information", C::Information, "", true},
        {3, "Exit", "End Application", C::Quit, "", true},
    };
    return buttons;
}

const MenuEntry* menuEntry(MainCommand command) {
    if (command == MainCommand::Quit) return &quitEntry();
    for (const MenuEntry& e : functionsMenu())
        if (e.command == command) return &e;
    return nullptr;
}

const std::vector<StandardFont>& standardFonts() {
    // A scale of 480 / 480; whole parts where the formulas take them.
    static const std::vector<StandardFont> fonts = {
        {static_cast<double>(480 / 50), 640 / 40, true},
        {480.0 / 50, 640 / 40, false},
        {static_cast<double>(480 / 55), 640 / 45, true},
        {static_cast<double>(480 / 75), 640 / 50, false},
        {static_cast<double>(480 / 55), 640 / 45, false},
    };
    return fonts;
}

std::string documentationPage(const std::string& modelCode) { return wl::lower(modelCode) + ".htm"; }

}  // namespace zr
