#include "memo_edit.hpp"

#include <memory>
#include <optional>

#include "button.hpp"
#include "dialog.hpp"
#include "fget.hpp"
#include "font.hpp"
#include "gtf_rtf.hpp"
#include "library_calls.hpp"
#include "library_texts.hpp"
#include "multiget.hpp"
#include "rich_edit.hpp"

namespace wl {

namespace {

// The one editor a memo dialog holds, chosen by the text's format.
struct MemoEditor {
    std::optional<LoadedLibrary> riched;
    std::unique_ptr<TRichEdit> rich;
    std::unique_ptr<TFGet> formatted;
    std::unique_ptr<TMultiGet> plain;
    Value copy;

    TControl& control() {
        if (rich) return *rich;
        if (formatted) return *formatted;
        return *plain;
    }
    std::string text() {
        if (rich) return rich->SaveAsRTF();
        if (formatted) return formatted->GetTextFormat();
        return plain->cText();
    }
};

bool memoEdit(std::string* target, const std::function<std::string()>& source, const MemoEditFrame& frame) {
    std::string text = target ? *target : std::string();
    FontSpec spec;
    spec.cFaceName = "Ms Sans Serif";
    spec.nHeight = -10;
    const std::shared_ptr<TFont> font = TFont::New(spec);

    TDialog dialog;
    DialogNew n;
    n.nTop = frame.nTop;
    n.nLeft = frame.nLeft;
    n.nBottom = frame.nBottom;
    n.nRight = frame.nRight;
    n.cCaption = frame.cTitle;
    n.oFont = font;
    dialog.New(n);

    MemoEditor editor;
    editor.copy = Value(text);
    if (IsRTF(text)) {
        editor.riched.emplace("riched20.dll");
        editor.rich = std::make_unique<TRichEdit>();
        RichEditNew r;
        r.oWnd = &dialog;
        r.lPixel = true;
        r.nRow = 4;
        r.nCol = 3;
        r.nWidth = 100;
        r.nHeight = 100;
        r.bSetGet = bindTo(editor.copy);
        editor.rich->New(r);
    } else if (IsGTF(text)) {
        editor.formatted = std::make_unique<TFGet>();
        FGetNew f;
        f.oWnd = &dialog;
        f.lPixel = true;
        f.nRow = 4;
        f.nCol = 3;
        f.nWidth = 100;
        f.nHeight = 100;
        f.bSetGet = bindTo(editor.copy);
        editor.formatted->New(f);
    } else {
        editor.plain = std::make_unique<TMultiGet>();
        MultiGetNew m;
        m.oWnd = &dialog;
        m.lPixel = true;
        m.nRow = 4;
        m.nCol = 3;
        m.nWidth = 100;
        m.nHeight = 100;
        m.oFont = font;
        m.bSetGet = bindTo(editor.copy);
        editor.plain->New(m);
        editor.plain->bGotFocus = [&editor](TWindow&, HWND) { editor.plain->HideSel(); };
    }

    bool ok = false;
    auto button = [&](const char* caption, std::function<void(TWindow&)> action) {
        ButtonNew b;
        b.cCaption = WLSTRING(caption);
        b.oWnd = &dialog;
        b.lPixel = true;
        b.nWidth = 36;
        b.nHeight = 13;
        b.bAction = std::move(action);
        return b;
    };
    TButton okButton, cancelButton, helpButton;
    okButton.New(button("&Ok", [&](TWindow&) {
        text = editor.text();
        ok = true;
        dialog.End(1);
    }));
    cancelButton.New(button("&Cancel", [&](TWindow&) { dialog.End(2); }));
    helpButton.New(button("&Help", [&](TWindow&) { dialog.HelpTopic(); }));

    DialogActivate a;
    a.bInit = [&](TWindow&) {
        const int width = dialog.nWidth(), height = dialog.nHeight();
        editor.control().Move(4, 3, width - 19, height - 82);
        if (editor.rich) {
            editor.rich->LoadRTF(text);
        } else if (editor.plain) {
            if (source) editor.plain->cText(source());
            editor.plain->SetSel(0, 0);
        }
        okButton.Move(height - 65, width - 253);
        cancelButton.Move(height - 65, width - 170);
        helpButton.Move(height - 65, width - 87);
    };
    dialog.Activate(a);
    font->End();
    if (ok && target) *target = text;
    return ok;
}

}  // namespace

bool MemoEdit(std::string& text, const MemoEditFrame& frame) { return memoEdit(&text, {}, frame); }

bool MemoEdit(const std::function<std::string()>& source, const MemoEditFrame& frame) {
    return memoEdit(nullptr, source, frame);
}

}  // namespace wl
