#include "download_window.hpp"

#include <filesystem>

#include "messages.hpp"
#include "paths.hpp"
#include "text.hpp"
#include "viewer_windows.hpp"

namespace zr {

DownloadWindow::DownloadWindow(const DownloadWindowTexts& texts, DownloadPlaces start, DownloadWindowHooks hooks)
    : font_(toolFont()), places_(std::move(start)), folder_(places_.folder), hooks_(std::move(hooks)) {
    wl::WindowNew w;
    w.nTop = 3;
    w.nLeft = 6;
    w.nBottom = 32;
    w.nRight = 110;
    w.cTitle = texts.title;
    window_.New(w);
    window_.SetFont(font_);

    newButton(download_, 16, 9, 320, 27, texts.downloadCaption, [this] { downloadList(); });
    newTree(available_, 5, 1, [this](const std::string& t) { selectAvailable(t); });
    newTree(local_, 7, 60, [this](const std::string& t) { selectLocal(t); });

    wl::SayNew s;
    s.oWnd = &window_;
    s.lPixel = true;
    s.nRow = 8;
    s.nCol = 360;
    s.nWidth = 160;
    s.nHeight = 18;
    s.oFont = font_;
    s.cClrText = "B/W+*";
    s.bText = [caption = texts.folderLabel] { return wl::Value(caption); };
    label_.New(s);

    wl::GetNew g;
    g.oWnd = &window_;
    g.lPixel = true;
    g.nRow = 24;
    g.nCol = 360;
    g.nWidth = 128;
    g.nHeight = 18;
    g.oFont = font_;
    g.bSetGet = wl::bindTo(folder_);
    folderField_.New(g);

    newButton(folderButton_, 24, 495, 64, 18, "Folder", [this] { window_.End(); });
    newButton(browse_, 48, texts.browseLeft, texts.browseWidth, 27, "Browse Files",
              [this] { viewFileUsing(places().folder, hooks_); });
    newButton(parseLog_, 48, 684, 96, 27, "Parse Log", [this] {
        if (hooks_.showParseLog) hooks_.showParseLog();
    });
    newButton(exit_, 16, 684, 64, 27, "Exit", [this] { window_.End(); });
}

DownloadWindow::~DownloadWindow() {
    busy_ = true;  // the trees going choose nothing
    if (window_.hWnd) DestroyWindow(window_.hWnd);
    if (font_) font_->End();
}

void DownloadWindow::newTree(wl::TTreeView& tree, int row, int col, std::function<void(const std::string&)> chosen) {
    wl::TreeViewNew t;
    t.oWnd = &window_;
    t.nRow = row;
    t.nCol = col;
    t.nWidth = 340;
    t.nHeight = 300;
    t.bChange = [chosen = std::move(chosen)](wl::TTreeView& view) { chosen(view.GetSelText()); };
    tree.New(t);
}

void DownloadWindow::newButton(wl::TButton& button, int top, int left, int width, int height,
                               const std::string& caption, std::function<void()> action) {
    wl::ButtonNew n;
    n.oWnd = &window_;
    n.lPixel = true;
    n.nRow = top;
    n.nCol = left;
    n.nWidth = width;
    n.nHeight = height;
    n.cCaption = caption;
    n.oFont = font_;
    n.bAction = [action = std::move(action)](wl::TWindow&) { action(); };
    button.New(n);
}

void DownloadWindow::open() {
    window_.Activate();
}

void DownloadWindow::setFolder(const std::string& folder) {
    folder_ = folder;
    folderField_.Refresh();
    rebuildLocal();
}

DownloadPlaces DownloadWindow::places() const {
    DownloadPlaces p = places_;
    p.folder = wl::alltrim(folder_);
    return p;
}

namespace {
// Holds the flag while a choice or a rebuild is at work.
class BusyWhile {
public:
    explicit BusyWhile(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~BusyWhile() { flag_ = was_; }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

private:
    bool& flag_;
    bool was_;
};
}  // namespace

void DownloadWindow::downloadList() { rebuildAvailable(); }

void DownloadWindow::rebuildAvailable() {
    BusyWhile busy(busy_);
    fillAvailable();
}

void DownloadWindow::rebuildLocal() {
    BusyWhile busy(busy_);
    fillLocal();
}

void DownloadWindow::selectFirstLocal() {
    BusyWhile busy(busy_);
    if (!local_.aItems.empty()) local_.Select(*local_.aItems.front());
}

void DownloadWindow::selectAvailable(const std::string& text) {
    if (busy_ || text.empty()) return;
    BusyWhile busy(busy_);
    availableChosen(text);
    fillLocal();
}

void DownloadWindow::selectLocal(const std::string& text) {
    if (busy_ || text.empty()) return;
    BusyWhile busy(busy_);
    localChosen(text);
    fillLocal();
}

namespace {

// The dialog of the chosen file: each button opens it one way.
void viewFileDialog(const std::string& file, const DownloadWindowHooks& hooks) {
    ViewerDialog d("View File Using", 256 * 2, 240 * 2);
    const double col = 19.2, w = 80, h = 11.52;
    double row = 16;
    d.button(row, col, w, h, "X12 Viewer", [&] { hooks.actions.viewX12(file); });
    row += 16;
    d.button(row, col, w, h, "CSV Viewer", [&] {
        d.close();
        hooks.actions.viewCsv(file);
    });
    row += 16;
    d.button(row, col, w, h, "Notepad", [&] {
        d.close();
        if (hooks.notepad) hooks.notepad(file);
        else startNotepadOn(file);
    });
    row += 16;
    d.button(row, col, w, h, "Cancel", [&] { d.close(); });
    d.run(hooks.ui, [&] { return ShownDialog{"View File Using", d.dialog().hWnd, {file}, 0}; });
}

}  // namespace

void viewFileUsing(const std::string& folder, const DownloadWindowHooks& hooks) {
    wl::FileDialogRequest r;
    r.filter = "*.*";
    r.title = "Select File";
    r.initialDir = folder;
    const std::string file = wl::CGETFILE(r);
    if (file.empty() || !wl::fileExists(file)) return;
    viewFileDialog(file, hooks);
}

}  // namespace zr
