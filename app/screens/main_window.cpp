#include "main_window.hpp"

#include <cstdio>

#include "bitmaps.hpp"
#include "conversion_dialog.hpp"
#include "csv_viewer_window.hpp"
#include "de_identifier.hpp"
#include "error_dialog.hpp"
#include "examples_installer.hpp"
#include "information_dialog.hpp"
#include "log_display_window.hpp"
#include "mapping_tool_window.hpp"
#include "message_loop.hpp"
#include "messages.hpp"
#include "module_state.hpp"
#include "paths.hpp"
#include "placeholders.hpp"
#include "profile_files.hpp"
#include "programs.hpp"
#include "recent_files.hpp"
#include "system_facts.hpp"
#include "system_info.hpp"
#include "toolbar_pictures.hpp"
#include "viewer_windows.hpp"
#include "zr_ini.hpp"

namespace zr {

namespace {

// The main window's class: TWindow under its own name.
class TMainWindow : public wl::TWindow {
public:
    std::string ClassName() const override { return "ZRK7W315"; }
};

// A second instance opens down and right of the first rather than exactly
// over it: each earlier window of the program at the spot moves this one on.
void cascadeOverEarlier(HWND own) {
    char cls[128] = {}, title[256] = {};
    GetClassNameA(own, cls, sizeof cls);
    GetWindowTextA(own, title, sizeof title);
    RECT mine{};
    GetWindowRect(own, &mine);
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    POINT at{mine.left, mine.top};
    for (bool moved = true; moved;) {
        moved = false;
        for (HWND other = FindWindowExA(nullptr, nullptr, cls, title); other;
             other = FindWindowExA(nullptr, other, cls, title)) {
            RECT r{};
            if (other == own || !IsWindowVisible(other) || !GetWindowRect(other, &r)) continue;
            if (r.left == at.x && r.top == at.y) {
                at.x += step;
                at.y += step;
                moved = true;
            }
        }
    }
    if (at.x != mine.left)
        SetWindowPos(own, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HICON makeProgramIcon() {
    // White is the picture's background: transparent in the icon.
    wl::PixelImage picture = programIconPicture();
    const std::uint32_t white = wl::makePixel(255, 255, 255);
    for (auto& p : picture.pixels) p = p == white ? 0 : (p | 0xFF000000u);
    HBITMAP colour = wl::bitmapFromPixels(picture);
    HBITMAP mask = CreateBitmap(picture.width, picture.height, 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    HICON icon = colour && mask ? CreateIconIndirect(&info) : nullptr;
    if (colour) DeleteObject(colour);
    if (mask) DeleteObject(mask);
    return icon;
}

MainWindow::MainWindow(MainContext context, MainHooks hooks)
    : context_(std::move(context)), hooks_(std::move(hooks)) {}

MainWindow::~MainWindow() {
    if (window_ && window_->hWnd) DestroyWindow(window_->hWnd);
    if (context_.app->module.mainWindow.has_value()) context_.app->module.mainWindow.reset();
    for (auto& f : fonts_) f->End();
    if (icon_) DestroyIcon(icon_);
    if (images_) ImageList_Destroy(images_);
}

void MainWindow::buildFonts() {
    for (const StandardFont& s : standardFonts()) {
        wl::FontSpec f;
        f.cFaceName = "Courier New";
        f.nWidth = static_cast<int>(s.width);  // LOGFONT widths are whole
        f.nHeight = s.height;
        f.lBold = s.bold;
        fonts_.push_back(wl::TFont::New(f));
    }
}

void MainWindow::buildIcon() { icon_ = makeProgramIcon(); }

void MainWindow::buildToolbar() {
    images_ = makeToolbarImages();
    toolbar_ = std::make_unique<wl::TToolBar>();
    toolbar_->New(window_.get(), 80, 50, images_);
    for (const ToolButton& b : toolbarButtons()) {
        const MainCommand command = b.command;
        auto action = [this, command](wl::TToolBar&, int) { Run(command); };
        const bool built = b.built;
        auto when = [built] { return built; };
        const MenuEntry* entry = menuEntry(command);
        const std::string message = entry ? entry->message : b.tooltip;
        if (b.dropDown.empty()) {
            toolbar_->AddButton(action, b.tooltip, b.text, when, message);
        } else {
            const std::string section = b.dropDown;
            toolbar_->AddMenu(action, b.tooltip, b.text, when, message,
                              [this, section](wl::TToolBar&) { return dropDown(section); });
        }
    }
    toolbar_->SetTextRows(2);
}

std::shared_ptr<wl::TMenu> MainWindow::dropDown(const std::string& section) {
    auto menu = CTLD48400D(section);
    if (menu && menu->aItems().empty()) {
        menu->End();
        return nullptr;
    }
    return menu;
}

wl::MenuItemNew MainWindow::menuItem(const MenuEntry& entry) {
    wl::MenuItemNew a;
    a.cPrompt = entry.caption;
    a.cMsg = entry.message;
    a.lActive = entry.built;
    const MainCommand command = entry.command;
    if (entry.built) a.bAction = [this, command](wl::TMenuItem&) { Run(command); };
    return a;
}

std::shared_ptr<wl::TMenu> MainWindow::CTLD48400A() {
    auto bar = wl::MENUBEGIN();
    wl::MenuItemNew functions;
    functions.cPrompt = "&Functions";  // Alt+F
    wl::MENUADDITEM(functions);
    wl::MENUBEGIN(true);
    for (const MenuEntry& entry : functionsMenu()) {
        switch (entry.command) {
        case MainCommand::Separator: wl::MENUADDITEM(); break;
        case MainCommand::ViewerFiles: {
            wl::MruNew list;
            list.cIniFile = mruFilePath(context_.modelCode);
            list.cSection = kViewerSection;
            list.nMaxItems = kViewerListMax;
            list.cMsg = entry.message;
            list.bAction = [this](const std::string& file, wl::TMenuItem&) { CTLD48400C(file); };
            mru_ = wl::TMru::New(list);
            break;
        }
        case MainCommand::ClearViewerList: {
            wl::MenuItemNew clear = menuItem(entry);
            clear.bAction = [this](wl::TMenuItem&) { mru_->Clear(); };
            wl::MENUADDITEM(clear);
            break;
        }
        default: wl::MENUADDITEM(menuItem(entry)); break;
        }
    }
    wl::MENUEND();
    wl::MenuItemNew exit;
    exit.cPrompt = "&Exit";  // Alt+E
    wl::MENUADDITEM(exit);
    wl::MENUBEGIN(true);
    wl::MENUADDITEM(menuItem(quitEntry()));
    wl::MENUEND();
    return wl::MENUEND();
}

void MainWindow::Build() {
    buildFonts();
    buildIcon();
    window_ = std::make_unique<TMainWindow>();
    wl::WindowNew n;
    n.nTop = 1;
    n.nLeft = 1;
    n.nBottom = 30;
    n.nRight = 100;
    n.cTitle = ZRTITLE(context_.modelCode);
    n.oIcon = icon_;
    n.lSysMenu = n.lCaption = n.lMin = n.lMax = true;
    window_->New(n);
    cascadeOverEarlier(window_->hWnd);
    menu_ = CTLD48400A();
    window_->SetMenu(menu_);
    buildToolbar();
    wl::MsgBarNew bar;
    bar.oWnd = window_.get();
    bar.cPrompt = kMessageBarText;
    msgBar_ = std::make_unique<wl::TMsgBar>();
    msgBar_->New(bar);
    window_->SetIcon(icon_);
    // The task switcher shows the large icon.
    SendMessageA(window_->hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    context_.app->module.mainWindow = window_.get();
    if (hooks_.built) hooks_.built(*this);
}

int MainWindow::Activate() {
    if (context_.line.batch) window_->bInit = [this](wl::TWindow& w) { runBatch(w); };
    window_->Activate();
    if (!context_.line.batch) return 0;
    if (!batchResult_) return 1;
    // Data lost in a conversion fails an unattended run as a failure does.
    return batchExitStatus(*batchResult_);
}

void MainWindow::runBatch(wl::TWindow& w) {
    DriverRequest request = batchRequest(context_.line);
    request.modelCode = context_.modelCode;
    DriverHooks hooks = hooks_.driver;
    hooks.app = context_.app;
    batchResult_ = CTLD48403(request, hooks);
    // No box may wait in an unattended run: a log that could not be written
    // is said on the error output (the console that started the run).
    if (!batchResult_->logError.empty()) {
        std::fprintf(stderr, "zrk7w315: the run log was not written: %s\n", batchResult_->logError.c_str());
        std::fflush(stderr);
    }
    // The user may have closed the window while the meter drained messages:
    // then there is nothing left to end.
    if (w.hWnd && IsWindow(w.hWnd)) w.End();
}

void MainWindow::runConversion(const std::string& source) {
    DriverRequest request;
    request.modelCode = context_.modelCode;
    request.source = source;
    request.destination = std::string(255, ' ');
    request.options = std::string(255, ' ');
    request.currentFolder = context_.currentFolder;
    request.mode = DriverMode::Menu;
    request.showMeter = true;
    const DriverResult result = CTLD48403(request, driverHooks());
    // "View Parse Log" opens what this run wrote ("PARSELOG=" may name another file).
    if (!result.logPath.empty()) lastRunLog_ = result.logPath;
}

// The driver's hooks for a run from this window: the application object,
// and the conversion dialog over this window's folders unless a caller gave one.
DriverHooks MainWindow::driverHooks() const {
    DriverHooks hooks = hooks_.driver;
    hooks.app = context_.app;
    if (!hooks.dialog)
        hooks.dialog = conversionDialogHook(
            {context_.currentFolder, context_.workingFolder, context_.separator, {}, context_.app});
    return hooks;
}

void MainWindow::runPrepared(const DriverRequest& prepared) {
    DriverRequest request = prepared;
    request.modelCode = context_.modelCode;
    const DriverResult result = CTLD48403(request, driverHooks());
    if (!result.logPath.empty()) lastRunLog_ = result.logPath;
}

DownloadPlaces MainWindow::downloadPlaces() const {
    DownloadPlaces places;
    places.currentFolder = context_.currentFolder;
    places.server = examplesServer(context_.currentFolder);
    places.modelCode = context_.modelCode;
    return places;
}

DownloadWindowHooks MainWindow::downloadHooks() {
    DownloadWindowHooks h;
    h.actions.convert = [this](const DriverRequest& r) { runPrepared(r); };
    h.actions.viewCsv = [this](const std::string& f) { CTLD48200(1, "", context_.currentFolder, f); };
    h.actions.viewX12 = [this](const std::string& f) { CTLD48400C(f); };
    h.showParseLog = [this] {
        CTLD33500(LogMode::ParseLog, window_->hWnd, {context_.currentFolder, lastRunLog_, {}});
    };
    return h;
}

namespace {
// Keeps a utility window that has just opened, after letting go of those
// already closed.
template <class Window>
void keepOpen(std::vector<std::unique_ptr<Window>>& open, std::unique_ptr<Window> window,
              const std::function<void(Window&)>& opened) {
    std::erase_if(open, [](const std::unique_ptr<Window>& w) { return !w->isOpen(); });
    if (opened) opened(*window);
    open.push_back(std::move(window));
}
}  // namespace

void MainWindow::Run(MainCommand command) {
    const MenuEntry* entry = menuEntry(command);
    if (entry && !entry->built) return;
    switch (command) {
    case MainCommand::Quit: window_->End(); break;
    case MainCommand::Documentation: openDocumentation(); break;
    case MainCommand::ViewXml: viewXmlFile(); break;
    case MainCommand::ViewCsv: CTLD48200(1, "", context_.workingFolder, ""); break;
    case MainCommand::ViewX12: viewAndRecord(); break;
    case MainCommand::X12Parser: runConversion(""); break;
    case MainCommand::FileInformation: keepOpen(informationWindows_, CTLD47300(), hooks_.informationOpened); break;
    case MainCommand::FileCompare: keepOpen(compareWindows_, CTLD51200(), hooks_.compareOpened); break;
    case MainCommand::DeIdentifier: CTLD49200(); break;
    case MainCommand::DataDictionary:
        keepOpen(dictionaryWindows_, CTLD51300(context_.currentFolder, 2), hooks_.dictionaryOpened);
        break;
    case MainCommand::Examples:
        keepOpen(examplesWindows_, CTLD51100(downloadPlaces(), downloadHooks()), hooks_.examplesOpened);
        break;
    case MainCommand::Projects:
        keepOpen(projectsWindows_, CTLD51400(downloadPlaces(), downloadHooks()), hooks_.projectsOpened);
        break;
    case MainCommand::ViewParseLog:
    case MainCommand::ViewMapLog:
        CTLD33500(command == MainCommand::ViewParseLog ? LogMode::ParseLog : LogMode::MapLog, window_->hWnd,
                  {context_.currentFolder, lastRunLog_, {}});
        break;
    case MainCommand::MappingTool: CTLD48600("", "X12N"); break;
    case MainCommand::Information: ZRINFO(context_.modelCode, context_.currentFolder, context_.workingFolder); break;
    default: break;
    }
}

std::string MainWindow::CTLD48400C(const std::string& file) {
    std::string chosen = file;
    if (chosen.empty()) {
        wl::FileDialogRequest r;
        r.filter = "*.*";
        r.title = "Select X12 File";
        r.initialDir = context_.workingFolder;
        chosen = wl::CGETFILE(r);
    }
    if (chosen.empty()) return chosen;
    if (hooks_.openViewer)
        hooks_.openViewer(chosen);
    else
        viewX12File(context_.modelCode, chosen, context_.workingFolder);
    return chosen;
}

namespace {
// The list's entries as the portable list keeps them.
std::vector<wl::MruEntry> entriesOf(const wl::TMru& list) {
    std::vector<wl::MruEntry> entries;
    for (const auto& item : list.aItems) entries.push_back({wl::mruNameOfCaption(item->cPrompt), 0, item->lActive});
    return entries;
}
}  // namespace

void MainWindow::CTLD48400B(const std::string& file) {
    if (!mru_) return;
    const std::string name = recordedName(entriesOf(*mru_), file);
    if (!name.empty()) mru_->Save(name);
}

void MainWindow::CTLD48400E(const std::string& file) { CTLD48400B(file); }

void MainWindow::viewAndRecord() {
    const std::string file = CTLD48400C();
    if (!file.empty()) CTLD48400E(file);
}

namespace {
wl::MruStore sectionStore(const std::string& file, const std::string& section) {
    wl::MruStore store;
    store.read = [file, section](const std::string& key) { return wl::GETPVPROFSTRING(section, key, "", file); };
    return store;
}
}  // namespace

std::shared_ptr<wl::TMenu> MainWindow::CTLD48400D(const std::string& section) {
    auto popup = wl::MENUBEGIN(true);
    for (const DropDownEntry& e : CTLD48400F(sectionStore(mruFilePath(context_.modelCode), section))) {
        wl::MenuItemNew item;
        item.cPrompt = e.file;
        const std::string key = std::to_string(e.key);
        item.bAction = [this, key, section](wl::TMenuItem&) { CTLD48400G(key, section); };
        wl::MENUADDITEM(item);
    }
    return wl::MENUEND();
}

void MainWindow::CTLD48400G(const std::string& key, const std::string& section) {
    const std::string file = wl::GETPVPROFSTRING(section, key, "", mruFilePath(context_.modelCode));
    switch (dropDownTarget(section)) {
    case DropDownTarget::Viewer:
        // A key without a value opens nothing.
        if (!file.empty()) CTLD48400C(file);
        break;
    case DropDownTarget::Conversion: runConversion(file); break;
    case DropDownTarget::None: break;
    }
}

HIMAGELIST makeToolbarImages() {
    HIMAGELIST list = ImageList_Create(kToolbarPictureSize, kToolbarPictureSize, ILC_COLOR24 | ILC_MASK, 5, 0);
    if (!list) return nullptr;
    for (const ToolButton& b : toolbarButtons()) {
        HBITMAP picture = wl::bitmapFromPixels(toolbarPicture(b.resource));
        ImageList_AddMasked(list, picture, RGB(255, 255, 255));
        if (picture) DeleteObject(picture);
    }
    return list;
}

std::string MainWindow::documentationPath() const {
    return wl::joinPath(wl::folderPart(wl::GETMODULEFILENAME(nullptr)), documentationPage(context_.modelCode));
}

void MainWindow::openDocumentation() {
    const std::string page = documentationPath();
    const HWND owner = window_ ? window_->hWnd : nullptr;
    const INT_PTR answer =
        hooks_.openDocument ? hooks_.openDocument(owner, page) : wl::SHELLEXECUTE(owner, "Open", page);
    if (answer <= 32) wl::MSGSTOP("The documentation page " + page + " could not be opened.", wl::Value("Documentation"));
}

void MainWindow::viewXmlFile() {
    wl::FileDialogRequest r;
    r.filter = "*.xml";
    r.title = "Select an XML file";
    r.initialDir = context_.workingFolder;
    const std::string file = wl::CGETFILE(r);
    if (!file.empty()) ZRWB1(file);
}

int MAIN(const std::vector<std::string>& words, const MainHooks& hooks) {
    // An error inside an action reaches the report and the dialog: a windowed
    // program has no console to show it.
    wl::ERRORSYS();
    MainContext context;
    context.app = &application();
    context.currentFolder = wl::currentFolder();
    // The option strings are read once at start; no step of the window reads them.
    (void)readOptionFlagStrings();
    context.line = settleCommandLine(words, context.currentFolder);
    context.workingFolder = context.line.workingFolder;
    MainWindow main(context, hooks);
    main.Build();
    return main.Activate();
}

}  // namespace zr
