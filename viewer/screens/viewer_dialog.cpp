#include "viewer_dialog.hpp"

#include <algorithm>
#include <cmath>

namespace zr {

namespace {

// The design space is 640 x 480; a screen of another size scales it, never
// below 1 (the standard fonts are made for that scale).
double designScale() {
    const double w = GetSystemMetrics(SM_CXSCREEN) / 640.0, h = GetSystemMetrics(SM_CYSCREEN) / 480.0;
    return std::max(1.0, std::min(w, h));
}

std::shared_ptr<wl::TFont> standardFont(bool bold) {
    wl::FontSpec f;
    f.cFaceName = "Courier New";
    f.nWidth = 480 / 50;
    f.nHeight = 640 / 40;
    f.lBold = bold;
    return wl::TFont::New(f);
}

constexpr wl::Color kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

struct FindButton {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK findButton(HWND child, LPARAM data) {
    auto* f = reinterpret_cast<FindButton*>(data);
    char cls[32] = {}, text[128] = {};
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(cls, "Button") == 0 && f->caption == text) {
        f->found = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool pressButton(HWND dialog, const std::string& caption) {
    FindButton f{caption};
    EnumChildWindows(dialog, findButton, reinterpret_cast<LPARAM>(&f));
    if (!f.found) return false;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(f.found), BN_CLICKED), reinterpret_cast<LPARAM>(f.found));
    return true;
}

ViewerDialog::ViewerDialog(const std::string& caption, double width, double height)
    : caption_(caption), scale_(designScale()), font1_(standardFont(true)), font2_(standardFont(false)) {
    wl::DialogNew d;
    d.lPixel = true;
    d.nTop = 0;
    d.nLeft = 0;
    // A screen's size is given on a grid twice as fine as its controls'
    // positions (a 600 x 400 screen holds controls up to about 300 x 200):
    // halved, window and controls agree at every scale and nothing is left
    // half empty. The size is the client area, as in a dialog template.
    d.nBottom = px(height / 2);
    d.nRight = px(width / 2);
    d.cCaption = caption;
    d.nClrText = kBlack;
    d.nClrBack = kWhite;
    d.oFont = font1_;
    dialog_.New(d);
}

ViewerDialog::~ViewerDialog() {
    if (dialog_.hWnd && IsWindow(dialog_.hWnd)) DestroyWindow(dialog_.hWnd);
    controls_.clear();
    font1_->End();
    font2_->End();
}

int ViewerDialog::px(double v) const { return static_cast<int>(std::lround(v * scale_)); }

wl::TButton& ViewerDialog::button(double row, double col, double w, double h, const std::string& caption,
                                  std::function<void()> action) {
    auto b = std::make_unique<wl::TButton>();
    wl::ButtonNew n;
    n.lPixel = true;
    n.nRow = px(row);
    n.nCol = px(col);
    // The caption fits whatever the scale: the font is not scaled.
    n.nWidth = std::max(px(w), static_cast<int>(caption.size()) * (480 / 50) + 10);
    n.nHeight = std::max(px(h), 640 / 40 + 6);
    n.cCaption = caption;
    n.oWnd = &dialog_;
    n.oFont = font1_;
    n.bAction = [action = std::move(action)](wl::TWindow&) {
        if (action) action();
    };
    b->New(n);
    auto& ref = *b;
    controls_.push_back(std::move(b));
    return ref;
}

wl::TSay& ViewerDialog::label(double row, double col, double w, double h, std::function<std::string()> text, int font) {
    auto s = std::make_unique<wl::TSay>();
    wl::SayNew n;
    n.lPixel = true;
    n.nRow = px(row);
    n.nCol = px(col);
    n.nWidth = px(w);
    n.nHeight = std::max(px(h), 640 / 40);
    n.oWnd = &dialog_;
    n.oFont = this->font(font);
    n.nClrText = kBlack;
    n.nClrBack = kWhite;
    n.bText = [text = std::move(text)] { return wl::Value(text ? text() : std::string()); };
    s->New(n);
    auto& ref = *s;
    controls_.push_back(std::move(s));
    return ref;
}

wl::TWBrowse& ViewerDialog::list(double row, double col, double w, double h, const std::string& header,
                                 std::function<std::string()> line) {
    auto b = std::make_unique<wl::TWBrowse>();
    wl::WBrowseNew n;
    n.lPixel = true;
    n.nRow = px(row);
    n.nCol = px(col);
    n.nWidth = px(w);
    n.nHeight = px(h);
    n.oWnd = &dialog_;
    n.oFont = font1_;
    n.aHeaders = {header};
    n.aColSizes = {px(w) * 4};  // one column as wide as the longest segment needs
    n.nClrFore = kBlack;
    n.nClrBack = kWhite;
    n.bLine = [line = std::move(line)] { return wl::ValueList{wl::Value(line ? line() : std::string())}; };
    b->New(n);
    auto& ref = *b;
    controls_.push_back(std::move(b));
    return ref;
}

wl::TWBrowse& ViewerDialog::arrayList(double row, double col, double w, double h, const std::string& header,
                                      std::function<std::string(std::size_t)> lineOf, std::function<int()> count) {
    wl::TWBrowse& b = list(row, col, w, h, header, {});
    wl::TWBrowse* self = &b;
    b.bLine = [self, lineOf] { return wl::ValueList{wl::Value(lineOf(static_cast<std::size_t>(self->nAt)))}; };
    b.SetArray(std::move(count));
    return b;
}

wl::TComboBox& ViewerDialog::combo(double row, double col, double w, double h, std::vector<std::string> items,
                                   wl::SetGet value) {
    auto c = std::make_unique<wl::TComboBox>();
    wl::ListNew n;
    n.lPixel = true;
    n.nRow = px(row);
    n.nCol = px(col);
    n.nWidth = px(w);
    n.nHeight = px(h);  // with the dropped list
    n.oWnd = &dialog_;
    n.aItems = std::move(items);
    n.bSetGet = std::move(value);
    c->New(n);
    auto& ref = *c;
    controls_.push_back(std::move(c));
    return ref;
}

wl::TGet& ViewerDialog::edit(double row, double col, double w, double h, wl::SetGet value,
                             const std::string& picture) {
    auto e = std::make_unique<wl::TGet>();
    wl::GetNew g;
    g.oWnd = &dialog_;
    g.lPixel = true;
    g.nRow = px(row);
    g.nCol = px(col);
    g.nWidth = px(w);
    g.nHeight = std::max(px(h), 640 / 40 + 6);
    g.oFont = font1_;
    g.bSetGet = std::move(value);
    g.cPicture = picture;
    e->New(g);
    auto& ref = *e;
    controls_.push_back(std::move(e));
    return ref;
}

void ViewerDialog::run(const ViewerUi& ui, std::function<ShownDialog()> describe) {
    wl::DialogActivate a;
    a.lCentered = true;
    a.bValid = [this](wl::TWindow&) {
        if (onClose_) onClose_();
        return true;
    };
    ui_ = ui;
    describe_ = std::move(describe);
    a.bInit = [this](wl::TWindow&) {
        if (onInit_) onInit_();
        shownAgain();
    };
    dialog_.Activate(a);
}

void ViewerDialog::shownAgain() {
    if (!ui_.shown || !dialog_.hWnd) return;
    ShownDialog shown = describe_ ? describe_() : ShownDialog{};
    shown.caption = caption_;
    shown.hWnd = dialog_.hWnd;
    ui_.shown(shown);
}

}  // namespace zr
