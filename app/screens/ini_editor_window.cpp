#include "ini_editor_window.hpp"

#include "button.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "ini_editor.hpp"
#include "messages.hpp"
#include "multiget.hpp"
#include "screen_font.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

constexpr int kWidth = 533, kHeight = 300;

}  // namespace

void CTLD28100(const std::string& currentFolder) {
    const std::string file = iniEditorFile(currentFolder);
    std::string text = CTL39400AY(file);
    auto font = courierFont(8, 14);
    wl::TDialog dialog;
    wl::DialogNew d;
    d.cCaption = "ZR.INI Editor";
    d.nWidth = kWidth;
    d.nHeight = kHeight;
    d.oFont = font;
    dialog.New(d);
    dialog.SetColor("B/W+*");

    wl::TMultiGet edit;
    wl::MultiGetNew m;
    m.oWnd = &dialog;
    m.lPixel = true;
    m.nRow = 8;
    m.nCol = 8;
    m.nWidth = kWidth - 24;
    m.nHeight = kHeight - 80;
    m.lHScroll = true;
    m.bSetGet = wl::bindTo(text);
    edit.New(m);

    auto button = [&](wl::TButton& b, int col, const std::string& caption, std::function<void()> action) {
        wl::ButtonNew n;
        n.oWnd = &dialog;
        n.lPixel = true;
        n.nRow = kHeight - 64;
        n.nCol = col;
        n.nWidth = 96;
        n.nHeight = 24;
        n.cCaption = caption;
        n.oFont = font;
        n.bAction = [action = std::move(action)](wl::TWindow&) { action(); };
        b.New(n);
    };
    wl::TButton save, exit;
    button(save, kWidth / 2 - 112, "Save", [&] {
        // A file that cannot be written keeps the dialog and its edits open.
        if (edit.SaveToFile(file))
            dialog.End(1);
        else
            wl::MSGALERT(wl::Value(file + " could not be written."), wl::Value("ZR.INI Editor"));
    });
    button(exit, kWidth / 2 + 16, "Exit", [&] { dialog.End(2); });
    wl::DialogActivate a;
    a.lCentered = true;
    dialog.Activate(a);
    font->End();
}

}  // namespace zr
