// The main window: title "X12 Parser", the five standard fonts, the
// "Functions" and "Exit" menus, the toolbar and the message bar. With a
// conversion type as the first command-line word its start-up action runs
// the conversion driver and ends the window, so the program converts and
// ends.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command_line.hpp"
#include "conversion_driver.hpp"
#include "data_dictionary_window.hpp"
#include "examples_window.hpp"
#include "file_compare_window.hpp"
#include "file_information_window.hpp"
#include "main_menu.hpp"
#include "menu.hpp"
#include "msgbar.hpp"
#include "mru.hpp"
#include "projects_window.hpp"
#include "toolbar.hpp"
#include "window.hpp"

namespace zr {

// What the window's actions reach outside the program; tests replace them.
struct MainHooks {
    DriverHooks driver;  // the conversion driver's engine and clock
    // Opens a document in its viewer; answers ShellExecute's result (above
    // 32 when it worked). Default: SHELLEXECUTE "Open".
    std::function<INT_PTR(HWND, const std::string&)> openDocument;
    // The X12 viewer (default: the viewer's entry in screen mode 1).
    std::function<void(const std::string&)> openViewer;
    // Called with each utility window as it opens (tests drive it).
    std::function<void(FileInformationWindow&)> informationOpened;
    std::function<void(FileCompareWindow&)> compareOpened;
    std::function<void(DataDictionaryWindow&)> dictionaryOpened;
    std::function<void(ExamplesWindow&)> examplesOpened;
    std::function<void(ProjectsWindow&)> projectsOpened;
    // Called once the window and its bars exist, before activation.
    std::function<void(class MainWindow&)> built;
};

// The values every action receives.
struct MainContext {
    std::string modelCode = kModelCode;
    std::string version = kVersion;
    std::string separator = "\\";
    std::string workingFolder;
    std::string currentFolder;
    CommandLine line;
    // The program's state: the window registers itself there and hands it
    // to the conversion driver and dialog.
    Application* app = &application();
};

class MainWindow {
public:
    MainWindow(MainContext context, MainHooks hooks = {});
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Builds the fonts, the window, its menu, toolbar and message bar.
    void Build();
    // Shows the window and runs the message loop until it closes; in a
    // batch run the conversion runs first and ends the window. Answers the
    // exit status: 0, or 1 when a conversion failed or lost data.
    int Activate();

    // Runs the action of a menu entry or toolbar button.
    void Run(MainCommand command);
    // CTLD48400C: a file chosen (when `file` is empty) and opened in the
    // viewer; answers it ("" when cancelled).
    std::string CTLD48400C(const std::string& file = "");
    // CTLD48400B: records a viewed file in the menu's recently-used list.
    void CTLD48400B(const std::string& file);
    // CTLD48400E: the toolbar's recording of a viewed file; the same writer
    // as the menu's list, so both keep one layout of the section.
    void CTLD48400E(const std::string& file);
    // The "View X12 File" action: a file chosen, viewed and recorded.
    void viewAndRecord();
    // CTLD48400D: the pop-up of a toolbar drop-down: the section's keys "1"
    // to "20" that hold a file, each opening its key's file (CTLD48400G).
    std::shared_ptr<wl::TMenu> CTLD48400D(const std::string& section);
    // CTLD48400G: the value of a key of a recently-used section, opened.
    void CTLD48400G(const std::string& key, const std::string& section);
    // The documentation page beside the program.
    std::string documentationPath() const;

    wl::TWindow& window() { return *window_; }
    wl::TMenu* menu() const { return menu_.get(); }
    wl::TToolBar* toolbar() const { return toolbar_.get(); }
    wl::TMsgBar* msgBar() const { return msgBar_.get(); }
    wl::TMru* viewerFiles() const { return mru_.get(); }
    const MainContext& context() const { return context_; }
    const std::vector<std::shared_ptr<wl::TFont>>& fonts() const { return fonts_; }
    const std::optional<DriverResult>& batchResult() const { return batchResult_; }
    // The run log the last conversion from the menu or toolbar wrote ("" before any).
    const std::string& lastRunLog() const { return lastRunLog_; }

private:
    void buildFonts();
    void buildIcon();
    // CTLD48400A: the menu bar, "Functions" and "Exit".
    std::shared_ptr<wl::TMenu> CTLD48400A();
    wl::MenuItemNew menuItem(const MenuEntry& entry);
    void buildToolbar();
    // The drop-down's pop-up for the toolbar (nullptr when its list is empty).
    std::shared_ptr<wl::TMenu> dropDown(const std::string& section);
    void runBatch(wl::TWindow& w);
    void openDocumentation();
    void viewXmlFile();
    // The conversion driver with an empty type: its dialog opens first.
    void runConversion(const std::string& source);
    // A prepared request run through the driver (its dialog first), as the
    // examples and projects windows hand it.
    void runPrepared(const DriverRequest& request);
    DriverHooks driverHooks() const;
    // What the examples and projects windows start with and reach.
    DownloadPlaces downloadPlaces() const;
    DownloadWindowHooks downloadHooks();

    MainContext context_;
    MainHooks hooks_;
    std::unique_ptr<wl::TWindow> window_;
    std::vector<std::shared_ptr<wl::TFont>> fonts_;
    HICON icon_ = nullptr;
    std::shared_ptr<wl::TMenu> menu_;
    std::shared_ptr<wl::TMru> mru_;
    HIMAGELIST images_ = nullptr;
    std::unique_ptr<wl::TToolBar> toolbar_;
    std::unique_ptr<wl::TMsgBar> msgBar_;
    std::optional<DriverResult> batchResult_;
    std::string lastRunLog_;
    // The utilities' windows still open (they outlive the call that opened
    // them); closed ones are let go when another opens.
    std::vector<std::unique_ptr<FileInformationWindow>> informationWindows_;
    std::vector<std::unique_ptr<FileCompareWindow>> compareWindows_;
    std::vector<std::unique_ptr<DataDictionaryWindow>> dictionaryWindows_;
    std::vector<std::unique_ptr<ExamplesWindow>> examplesWindows_;
    std::vector<std::unique_ptr<ProjectsWindow>> projectsWindows_;
};

// MAIN: the process entry with the command-line words; answers the exit
// status once the main window has closed.
int MAIN(const std::vector<std::string>& words, const MainHooks& hooks = {});

// The toolbar's image list: the five pictures in button order, white masked
// out (the caller destroys it).
HIMAGELIST makeToolbarImages();

// The program's icon drawn in code (the caller destroys it).
HICON makeProgramIcon();

}  // namespace zr
