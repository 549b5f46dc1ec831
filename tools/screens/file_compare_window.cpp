#include "file_compare_window.hpp"

#include "file_compare.hpp"
#include "messages.hpp"

namespace zr {

FileCompareWindow::FileCompareWindow() : font_(toolFont()) {
    wl::WindowNew w;
    w.nTop = 3;
    w.nLeft = 6;
    w.nBottom = 32;
    w.nRight = 110;
    w.cTitle = "X12 File Compare";
    window_.New(w);
    window_.SetFont(font_);

    wl::MultiGetNew m;
    m.oWnd = &window_;
    m.lPixel = true;
    m.nRow = 16;
    m.nCol = 9;
    m.nWidth = 464;
    m.nHeight = 108;
    m.lReadOnly = true;
    m.oFont = font_;
    m.bSetGet = wl::bindTo(reportText_);
    report_.New(m);

    treeView(left_, 1, 300);
    treeView(right_, 60, 320);
    button(exit_, 738, 64, "Exit", [this] { window_.End(); });
    button(select_, 495, 128, "Select a File", [this] { selectFiles(); });
}

FileCompareWindow::~FileCompareWindow() {
    if (window_.hWnd) DestroyWindow(window_.hWnd);
    if (font_) font_->End();
}

void FileCompareWindow::treeView(wl::TTreeView& view, int col, int width) {
    wl::TreeViewNew t;
    t.oWnd = &window_;
    t.nRow = 10;
    t.nCol = col;
    t.nWidth = width;
    t.nHeight = 230;
    t.bChange = [](wl::TTreeView& v) { showToolNodeText(v); };
    view.New(t);
}

void FileCompareWindow::button(wl::TButton& b, int left, int width, const std::string& caption,
                               std::function<void()> action) {
    wl::ButtonNew n;
    n.oWnd = &window_;
    n.lPixel = true;
    n.nRow = 16;
    n.nCol = left;
    n.nWidth = width;
    n.nHeight = 27;
    n.cCaption = caption;
    n.oFont = font_;
    n.bAction = [action = std::move(action)](wl::TWindow&) { action(); };
    b.New(n);
}

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
    reportText_ = CTLD51200A(base, other, leftNodes_, rightNodes_).report;
    report_.Refresh();
}

std::unique_ptr<FileCompareWindow> CTLD51200() {
    auto window = std::make_unique<FileCompareWindow>();
    window->open();
    return window;
}

}  // namespace zr
