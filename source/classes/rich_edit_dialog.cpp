#include "rich_edit_dialog.hpp"

#include <functional>
#include <optional>

#include "bitmaps.hpp"
#include "builtin_images.hpp"
#include "cursors.hpp"
#include "dialog.hpp"
#include "font.hpp"
#include "library_calls.hpp"
#include "rich_edit.hpp"

namespace wl {

namespace {

struct RichEditBarButton {
    const char* cMsg;
    const char* cToolTip;
    const char* builtin;   // a built-in 16-pixel bitmap, or none
    const char* resource;  // a resource bitmap, or none
    bool lGroup;
};

// The bar's buttons in order; each one's action and condition are given
// by its tooltip below.
constexpr RichEditBarButton kRichEditBarButtons[] = {
    {"Create a new file", "New", "new16", nullptr, false},
    {"Open a file", "Open", "open16", nullptr, false},
    {"Save a file", "Save", "save16", nullptr, false},
    {"Close a file", "Close", "close16", nullptr, false},
    {"Print", "Print", "printer16", nullptr, true},
    {"Displays full pages", "Print Preview", "preview16", nullptr, false},
    {"Search", "Search", "search16", nullptr, true},
    {"Cut", "Cut", "cut16", nullptr, true},
    {"Copy", "Copy", "copy16", nullptr, false},
    {"Paste", "Paste", "paste16", nullptr, false},
    {"Undo", "Undo", "undo16", nullptr, true},
    {"Redo", "Redo", "redo16", nullptr, false},
    {"Bold", "Bold", "bold16", nullptr, true},
    {"Italic", "Italic", "italic16", nullptr, false},
    {"Underline", "Underline", "underline16", "Underline", false},
    {"Align Left", "Left", nullptr, "Left", true},
    {"Center", "Center", nullptr, "Center", false},
    {"Align Right", "Right", nullptr, "Right", false},
    {"Justify", "Justify", nullptr, "Justify", false},
    {"Numbering", "Numbering", nullptr, "Number", true},
    {"Bullets", "Bullets", nullptr, "Bullet", false},
    {"Exit", "Salir", nullptr, "Exit", true},
};

struct RichEditBarAction {
    std::function<void()> run;
    std::function<bool()> when;
};

RichEditBarAction richEditBarAction(const std::string& tip, TWindow& owner, TRichEdit& edit) {
    auto writable = [&edit] { return !edit.lReadOnly; };
    auto effect = [&edit](DWORD mask) { return (edit.GetCharFormat().dwEffects & mask) != 0; };
    auto refocus = [&edit] { edit.SetFocus(); };
    if (tip == "New") return {[&edit] { edit.SetText(""); }, {}};
    // Open, Save and Search are the bar's places for the caller's own
    // actions: they do nothing here.
    if (tip == "Open" || tip == "Save") return {[] {}, {}};
    if (tip == "Search") return {refocus, {}};
    if (tip == "Close" || tip == "Salir") return {[&owner] { owner.End(); }, {}};
    // Printing waits for the rich edit's page formatting (not built).
    if (tip == "Print" || tip == "Print Preview") return {[] {}, [] { return false; }};
    if (tip == "Cut") return {[&edit] { edit.Cut(); }, [&edit] { return edit.CanCut(); }};
    if (tip == "Copy") return {[&edit] { edit.Copy(); }, [&edit] { return edit.CanCopy(); }};
    if (tip == "Paste") return {[&edit] { edit.Paste(); }, writable};
    if (tip == "Undo") return {[&edit] { edit.UnDo(); }, [&edit] { return edit.CanUndo(); }};
    if (tip == "Redo") return {[&edit] { edit.ReDo(); }, [&edit] { return edit.CanRedo(); }};
    if (tip == "Bold") return {[&edit, effect] { edit.SetBold(!effect(CFE_BOLD)); }, writable};
    if (tip == "Italic") return {[&edit, effect] { edit.SetItalic(!effect(CFE_ITALIC)); }, writable};
    if (tip == "Underline") return {[&edit, effect] { edit.SetUnderline(!effect(CFE_UNDERLINE)); }, writable};
    if (tip == "Left") return {[&edit] { edit.SetAlign(1); }, writable};
    if (tip == "Center") return {[&edit] { edit.SetAlign(3); }, writable};
    if (tip == "Right") return {[&edit] { edit.SetAlign(2); }, writable};
    if (tip == "Justify") return {[&edit] { edit.SetAlign(4); }, writable};
    if (tip == "Numbering")
        return {[&edit] { edit.SetNumbering(!edit.GetNumbering()); },
                [&edit] { return !edit.lReadOnly && !edit.GetBullet(); }};
    if (tip == "Bullets")
        return {[&edit] { edit.SetBullet(!edit.GetBullet()); },
                [&edit] { return !edit.lReadOnly && !edit.GetNumbering(); }};
    return {[] {}, {}};
}

}  // namespace

TBtnBmp* RichEditBar::button(const std::string& toolTip) const {
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (kRichEditBarButtons[i].cToolTip == toolTip) return buttons[i].get();
    }
    return nullptr;
}

void RichEditBar::Update(const TRichEdit& edit) {
    bar.AEvalWhen();
    const DWORD effects = edit.GetCharFormat().dwEffects;
    const std::pair<const char*, DWORD> toggles[] = {{"Bold", CFE_BOLD}, {"Italic", CFE_ITALIC}, {"Underline", CFE_UNDERLINE}};
    for (auto [tip, mask] : toggles) {
        TBtnBmp* b = button(tip);
        if (b && b->lPressed != ((effects & mask) != 0)) {
            b->lPressed = (effects & mask) != 0;
            b->Refresh(false);
        }
    }
}

std::unique_ptr<RichEditBar> BuildRichEditBar(TWindow& owner, TRichEdit& edit) {
    auto result = std::make_unique<RichEditBar>();
    RichEditBar& rb = *result;
    BarNew b;
    b.oWnd = &owner;
    b.nBtnWidth = 26;
    b.nBtnHeight = 27;
    b.oCursor = TCursor::New("HAND");
    rb.bar.New(b);
    RichEditBar* self = &rb;
    for (const RichEditBarButton& def : kRichEditBarButtons) {
        RichEditBarAction action = richEditBarAction(def.cToolTip, owner, edit);
        BarBtnNew a;
        a.oBar = &rb.bar;
        a.cMsg = def.cMsg;
        a.cToolTip = def.cToolTip;
        a.lGroup = def.lGroup;
        a.bWhen = action.when;
        a.bAction = [run = action.run, self, &edit](TBtnBmp&) {
            run();
            self->Update(edit);
        };
        if (def.resource) a.cResName1 = def.resource;
        rb.buttons.push_back(std::make_unique<TBtnBmp>());
        TBtnBmp& btn = rb.buttons.back()->NewBar(a);
        // A resource bitmap the program lacks gives way to the built-in one.
        if (!btn.hBitmap1 && def.builtin) {
            if (auto img = builtinBitmap(def.builtin)) btn.hBitmap1 = bitmapFromPixels(*img);
        }
    }
    auto previous = edit.bChange;
    edit.bChange = [previous, self, &edit](TControl& c) {
        if (previous) previous(c);
        self->Update(edit);
    };
    rb.Update(edit);
    return result;
}

bool RichEdit(const std::string& text, MemoEditFrame frame) {
    FontSpec spec;
    spec.cFaceName = "Ms Sans Serif";
    spec.nHeight = -10;
    const std::shared_ptr<TFont> font = TFont::New(spec);
    LoadedLibrary riched("riched20.dll");

    TDialog dialog;
    DialogNew n;
    n.nTop = frame.nTop;
    n.nLeft = frame.nLeft;
    n.nBottom = frame.nBottom;
    n.nRight = frame.nRight;
    n.cCaption = frame.cTitle;
    n.oFont = font;
    dialog.New(n);

    Value copy(text);
    TRichEdit edit;
    RichEditNew r;
    r.oWnd = &dialog;
    r.lPixel = true;
    r.nRow = 30;
    r.nCol = 3;
    r.nWidth = 200;
    r.nHeight = 200;
    r.bSetGet = bindTo(copy);
    edit.New(r);
    dialog.oClient = &edit;

    std::unique_ptr<RichEditBar> bar;
    DialogActivate a;
    a.bInit = [&](TWindow&) {
        if (IsRTF(text))
            edit.LoadRTF(text);
        else
            edit.SetText(text);
        bar = BuildRichEditBar(dialog, edit);
        RECT c{};
        GetClientRect(dialog.hWnd, &c);
        dialog.ReSize(SIZE_RESTORED, c.right, c.bottom);
    };
    dialog.Activate(a);
    bar.reset();
    font->End();
    return false;
}

}  // namespace wl
