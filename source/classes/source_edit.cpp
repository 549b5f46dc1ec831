#include "source_edit.hpp"

#include "button.hpp"
#include "dialog.hpp"
#include "scintilla.hpp"

namespace wl {

bool SourceEdit(std::string& text, const std::string& title, std::optional<Color> background) {
    TDialog dialog;
    DialogNew n;
    n.cCaption = title;
    n.nWidth = 950;
    n.nHeight = 590;
    dialog.New(n);

    TScintilla editor;
    bool ok = false;
    auto button = [&](const char* caption, double col, std::function<void(TWindow&)> action) {
        ButtonNew b;
        b.nRow = 270;
        b.nCol = col;
        b.cCaption = caption;
        b.oWnd = &dialog;
        b.nWidth = 45;
        b.nHeight = 13;
        b.bAction = std::move(action);
        return b;
    };
    TButton okButton, cancelButton;
    okButton.New(button("&Ok", 180, [&](TWindow&) {
        text = editor.GetText();
        ok = true;
        dialog.End(1);
    }));
    cancelButton.New(button("&Cancel", 250, [&](TWindow&) { dialog.End(2); }));

    DialogActivate a;
    a.bInit = [&](TWindow&) {
        editor.New(15, 15, 920, 500, &dialog);
        if (background) editor.SetColor(editor.nClrText, *background);
        editor.Setup();
        editor.SetText(text);
    };
    dialog.Activate(a);
    return ok;
}

}  // namespace wl
