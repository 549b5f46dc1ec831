#include "utility_window_parts.hpp"

#include "bitmap.hpp"

#include "tool_tree_view.hpp"

namespace zr {

void newUtilityWindow(wl::TWindow& window, const std::string& title, const std::shared_ptr<wl::TFont>& font) {
    wl::WindowNew w;
    w.nTop = 3;
    w.nLeft = 6;
    w.nBottom = 32;
    w.nRight = 110;
    w.cTitle = title;
    window.New(w);
    window.SetFont(font);
}

void newUtilityReport(wl::TWindow& window, const std::shared_ptr<wl::TFont>& font, wl::TMultiGet& report,
                      UtilityPlace place, std::string& text, const std::string& colors) {
    wl::MultiGetNew m;
    m.oWnd = &window;
    m.lPixel = true;
    m.nRow = place.row;
    m.nCol = place.col;
    m.nWidth = place.width;
    m.nHeight = place.height;
    m.cColors = colors;
    m.lReadOnly = true;
    m.oFont = font;
    m.bSetGet = wl::bindTo(text);
    report.New(m);
}

void loadFolderPictures(wl::TImageList& pictures) {
    auto folder = std::make_shared<wl::TBitmap>();
    folder->Define("folder");
    if (!folder->hBitmap) return;
    auto mask = std::make_shared<wl::TBitmap>();
    mask->Define("fldMask");
    pictures.Add(folder, mask->hBitmap ? mask : nullptr);
}

void newUtilityTree(wl::TWindow& window, wl::TTreeView& tree, UtilityPlace place, wl::TImageList& pictures) {
    wl::TreeViewNew t;
    t.oWnd = &window;
    t.nRow = place.row;
    t.nCol = place.col;
    t.nWidth = place.width;
    t.nHeight = place.height;
    t.bChange = [](wl::TTreeView& view) { showToolNodeText(view); };
    tree.New(t);
    if (pictures.Count() > 0) tree.SetImageList(pictures.hImageList);
}

void newUtilityButton(wl::TWindow& window, const std::shared_ptr<wl::TFont>& font, wl::TButton& button, int left,
                      int width, const std::string& caption, std::function<void()> action) {
    wl::ButtonNew n;
    n.oWnd = &window;
    n.lPixel = true;
    n.nRow = 16;
    n.nCol = left;
    n.nWidth = width;
    n.nHeight = 27;
    n.cCaption = caption;
    n.oFont = font;
    n.bAction = [action = std::move(action)](wl::TWindow&) { action(); };
    button.New(n);
}

void endUtilityWindow(wl::TWindow& window, const std::shared_ptr<wl::TFont>& font) {
    if (window.hWnd) DestroyWindow(window.hWnd);
    if (font) font->End();
}

}  // namespace zr
