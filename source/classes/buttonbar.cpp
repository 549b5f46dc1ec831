#include "buttonbar.hpp"

#include <algorithm>
#include <cmath>

#include "bar_painting.hpp"
#include "bitmaps.hpp"
#include "dialog.hpp"
#include "drawing.hpp"
#include "gradient_fill.hpp"
#include "menu.hpp"
#include "popup_menus.hpp"
#include "profile_files.hpp"
#include "text.hpp"
#include "window_natives.hpp"

namespace wl {
namespace {

constexpr int kArrowWidth = 13;
constexpr int kFloatCommand = 100;  // + mode: dock a floating bar again

const GradientSpec& barGradient(bool office2010, bool pressed) { return officeBarGradient(office2010, pressed); }

const GradientSpec& buttonGradient(bool selected) {
    static const GradientSpec on = {{1.0 / 3, RGB(255, 253, 222), RGB(255, 231, 151)},
                                    {2.0 / 3, RGB(255, 215, 84), RGB(255, 233, 162)}};
    static const GradientSpec off = {{0.5, RGB(219, 230, 244), RGB(157, 196, 255)},
                                     {0.5, RGB(151, 192, 255), RGB(231, 242, 255)}};
    return selected ? on : off;
}

// The window's menu item names of the docking choices, by mode.
const char* const kDockItems[] = {"&Top", "&Left", "&Right", "&Bottom"};

HBITMAP loadOne(const std::string& res, const std::string& file) {
    HBITMAP b = nullptr;
    if (!res.empty()) b = LoadBitmapA(GetModuleHandleA(nullptr), res.c_str());
    if (!file.empty() && GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // A file replaces a resource of the same slot.
        if (HBITMAP f = static_cast<HBITMAP>(LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE))) {
            if (b) DeleteObject(b);
            b = f;
        }
    }
    return b;
}

RECT placeInParent(HWND h) { return windowRectInParent(h); }

// The four resource names and files of a button's pictures, the same in
// both kinds of birth.
template <typename Args>
void copyPictureNames(TBtnBmp& b, const Args& a) {
    b.cResName1 = a.cResName1;
    b.cResName2 = a.cResName2;
    b.cResName3 = a.cResName3;
    b.cResName4 = a.cResName4;
    b.cBmpFile1 = a.cBmpFile1;
    b.cBmpFile2 = a.cBmpFile2;
    b.cBmpFile3 = a.cBmpFile3;
    b.cBmpFile4 = a.cBmpFile4;
}

// The tool window that holds a floating bar's buttons.
class TBarFloat : public TWindow {
public:
    explicit TBarFloat(TBar& bar) : bar_(bar) {}
    std::string ClassName() const override { return "TBARFLOAT"; }
    bool endsHelpSearch() const override { return false; }
    Answer SysCommand(WPARAM cmd, LPARAM l) override {
        const int id = static_cast<int>(cmd & 0xFFFF);
        if (id > kFloatCommand && id <= kFloatCommand + 4) {
            PostMessageA(bar_.hWnd, WM_COMMAND, static_cast<WPARAM>(id), 0);
            return 0;
        }
        return TWindow::SysCommand(cmd, l);
    }
    Answer RButtonDown(int row, int col, WPARAM) override {
        HMENU m = CreatePopupMenu();
        for (int mode : {kBarTop, kBarLeft, kBarRight, kBarBottom})
            AppendMenuA(m, MF_STRING, static_cast<UINT_PTR>(kFloatCommand + mode), kDockItems[mode - 1]);
        // The choice reaches the float window as a command: hand it on.
        SHOWPOPUPMENU(m, hWnd, row, col);
        return 0;
    }
    Answer Command(WPARAM w, LPARAM l) override {
        if (l == 0 && LOWORD(w) > kFloatCommand && LOWORD(w) <= kFloatCommand + 4) {
            PostMessageA(bar_.hWnd, WM_COMMAND, LOWORD(w), 0);
            return 0;
        }
        return TWindow::Command(w, l);
    }

private:
    TBar& bar_;
};

}  // namespace

int btnLayoutOf(const std::string& word) {
    static const char* const words[] = {"TOP", "LEFT", "BOTTOM", "RIGHT"};
    for (int i = 0; i < 4; ++i)
        if (upper(word) == words[i]) return i + 1;
    return 0;
}

// ----------------------------------------------------------------------- TBar

TBar& TBar::New(const BarNew& a) {
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    nBtnWidth = a.nBtnWidth;
    nBtnHeight = a.nBtnHeight;
    l3D = a.l3D;
    l2007 = a.l2007;
    l2010 = a.l2010;
    nMode = barModeOf(upper(a.cMode));
    nStyle = WS_BORDER | WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    RECT c{};
    if (oWnd && oWnd->hWnd) GetClientRect(oWnd->hWnd, &c);
    const auto r = barNewRect(nMode, c.right, c.bottom, nBtnWidth, nBtnHeight, l3D);
    nTop = r[0];
    nLeft = r[1];
    nBottom = r[2];
    nRight = r[3];
    oCursor = a.oCursor;
    nClrPane = l3D ? GetSysColor(COLOR_BTNFACE) : RGB(128, 128, 128);
    const bool office2010 = l2010 && !l2007;
    bClrGrad = [office2010](bool pressed) { return barGradient(office2010, pressed); };
    Register(CS_VREDRAW | CS_HREDRAW);
    createOrDefer();
    SetColor(nClrText, nClrPane);
    takeSlot();
    return *this;
}

TBar& TBar::NewAt(int row, int col, int width, int height, int btnWidth, int btnHeight, TWindow* window, bool flat3D) {
    oWnd = window ? window : GETWNDDEFAULT();
    nBtnWidth = btnWidth;
    nBtnHeight = btnHeight;
    l3D = flat3D;
    nMode = kBarTop;
    nStyle = WS_BORDER | WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    nTop = row;
    nLeft = col;
    nBottom = row + height - 1;
    nRight = col + width - 1;
    nClrPane = l3D ? GetSysColor(COLOR_BTNFACE) : RGB(128, 128, 128);
    bClrGrad = [](bool pressed) { return barGradient(false, pressed); };
    Register(CS_VREDRAW | CS_HREDRAW);
    createOrDefer();
    SetColor(nClrText, nClrPane);
    return *this;
}

TBtnBmp* TBar::button(int position) const {
    if (position < 1 || position > count()) return nullptr;
    return dynamic_cast<TBtnBmp*>(aControls[static_cast<std::size_t>(position - 1)]);
}

void TBar::Add(TBtnBmp& btn, std::optional<int> position) {
    aControls.erase(std::remove(aControls.begin(), aControls.end(), &btn), aControls.end());
    if (position && *position >= 1 && *position <= count())
        aControls.insert(aControls.begin() + (*position - 1), &btn);
    else
        aControls.push_back(&btn);
}

void TBar::AddGroup(int position) {
    TBtnBmp* b = button(position);
    if (!b || b->lGroup || nMode == kBarFloat) return;
    for (int i = position; i <= count(); ++i) {
        TBtnBmp* x = button(i);
        const RECT r = placeInParent(x->hWnd);
        SetWindowPos(x->hWnd, nullptr, r.left + (vertical() ? 0 : 8), r.top + (vertical() ? 8 : 0), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
    b->lGroup = true;
    ++nGroups;
}

void TBar::DelGroup(int position) {
    TBtnBmp* b = button(position);
    if (!b || !b->lGroup || nMode == kBarFloat) return;
    for (int i = position; i <= count(); ++i) {
        TBtnBmp* x = button(i);
        const RECT r = placeInParent(x->hWnd);
        SetWindowPos(x->hWnd, nullptr, r.left - (vertical() ? 0 : 8), r.top - (vertical() ? 8 : 0), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
    b->lGroup = false;
    --nGroups;
}

void TBar::Del(int position) {
    TBtnBmp* gone = button(position);
    if (!gone) return;
    aControls.erase(aControls.begin() + (position - 1));
    if (TBtnBmp* next = button(position); next && !next->lGroup) next->lGroup = gone->lGroup;
    for (int i = position; i <= count(); ++i) {
        TBtnBmp* x = button(i);
        const RECT r = placeInParent(x->hWnd);
        SetWindowPos(x->hWnd, nullptr, r.left - (vertical() ? 0 : nBtnWidth), r.top - (vertical() ? nBtnHeight : 0),
                     0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    BtnAdjust();
    Refresh();
}

int TBar::GetBtnTop(bool group) const { return barBtnTop(nMode, look(), count(), nGroups, group); }

int TBar::GetBtnLeft(bool group, std::optional<int> position) {
    if (vertical()) return classic3D() ? 2 : 0;
    if (nMode == kBarFloat) {
        const int left = count() * nBtnWidth - 1;
        RECT c{};
        GetClientRect(hWnd, &c);
        return count() == 0 || left + nBtnWidth > c.right ? -1 : left;
    }
    int left = 0;
    if (count() == 0) {
        left = l3D ? 9 : 0;
    } else if (position && *position >= 1 && *position <= count()) {
        left = *position > 1 ? placeInParent(button(*position - 1)->hWnd).right : 0;
        for (int i = *position; i <= count(); ++i) {
            TBtnBmp* x = button(i);
            const RECT r = placeInParent(x->hWnd);
            SetWindowPos(x->hWnd, nullptr, r.left + nBtnWidth + (group ? 8 : 0), r.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER);
        }
    } else {
        left = placeInParent(button(count())->hWnd).right;
    }
    if (group) {
        ++nGroups;
        left += 8;
    }
    if (classic3D()) left += 2;
    return left;
}

std::vector<BarButton> TBar::layoutButtons() const {
    std::vector<BarButton> out;
    for (int i = 1; i <= count(); ++i) {
        const TBtnBmp* b = button(i);
        out.push_back({b && b->hWnd ? WNDWIDTH(b->hWnd) : nBtnWidth, b && b->lGroup, b && b->oPopup});
    }
    return out;
}

void TBar::BtnAdjust() {
    const auto places = barButtonPlaces(nMode, look(), layoutButtons());
    for (int i = 1; i <= count(); ++i) {
        TBtnBmp* b = button(i);
        const auto [top, left] = places[static_cast<std::size_t>(i - 1)];
        SetWindowPos(b->hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        b->Refresh(false);
    }
    Refresh();
}

bool TBar::canDock(int mode) const {
    if (!oWnd) return false;
    auto freeOf = [this](TWindow* slot) { return !slot || slot == this; };
    switch (mode) {
    case kBarTop: return freeOf(oWnd->oTop) && freeOf(oWnd->oBar);
    case kBarBottom: return freeOf(oWnd->oBottom) && !oWnd->oMsgBar;
    case kBarLeft: return freeOf(oWnd->oLeft);
    case kBarRight: return freeOf(oWnd->oRight);
    default: return false;
    }
}

void TBar::clearSlot() {
    if (!oWnd) return;
    using D = TWindow::Dock;
    oWnd->undock(this, {D::Bar, D::Top, D::Left, D::Right, D::Bottom});
}

void TBar::takeSlot() {
    if (!oWnd) return;
    switch (nMode) {
    case kBarTop:
        oWnd->dock(TWindow::Dock::Bar, this);
        oWnd->dock(TWindow::Dock::Top, this);
        break;
    case kBarLeft: oWnd->dock(TWindow::Dock::Left, this); break;
    case kBarRight: oWnd->dock(TWindow::Dock::Right, this); break;
    case kBarBottom: oWnd->dock(TWindow::Dock::Bottom, this); break;
    default: break;
    }
}

void TBar::dock(int mode) {
    clearSlot();
    nMode = mode;
    takeSlot();
    bool anyPopup = false;
    for (int i = 1; i <= count(); ++i) anyPopup = anyPopup || (button(i) && button(i)->oPopup);
    const auto [w, h] = barDockSize(mode, look(), anyPopup);
    RECT c{};
    if (oWnd && oWnd->hWnd) GetClientRect(oWnd->hWnd, &c);
    if (w == 0)
        SetWindowPos(hWnd, nullptr, 0, 0, c.right, h, SWP_NOMOVE | SWP_NOZORDER);
    else
        SetWindowPos(hWnd, nullptr, 0, 0, w, c.bottom, SWP_NOMOVE | SWP_NOZORDER);
    if (oWnd) oWnd->ReSize();
    BtnAdjust();
    Refresh();
}

void TBar::Adjust() {
    const bool msgBar = oWnd && oWnd->oMsgBar && oWnd->oMsgBar->hWnd;
    BARADJUST(hWnd, nMode, msgBar, msgBar ? WNDHEIGHT(oWnd->oMsgBar->hWnd) : 0);
}

void TBar::Float() {
    if (nMode == kBarFloat || !oWnd || !oWnd->hWnd) return;
    POINT at{30, 30};
    ClientToScreen(hWnd, &at);
    ScreenToClient(oWnd->hWnd, &at);
    clearSlot();
    nMode = kBarFloat;
    auto holder = std::make_unique<TBarFloat>(*this);
    const auto [w, h] = barFloatSize(look(), layoutButtons(), GetSystemMetrics(SM_CYSMCAPTION));
    WindowNew n;
    n.lPixel = true;
    n.nTop = at.y;
    n.nLeft = at.x;
    n.nBottom = at.y + h - 1;
    n.nRight = at.x + w - 1;
    n.oWnd = oWnd;
    n.nStyle = WS_CHILD | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    n.nClrBack = GetSysColor(COLOR_BTNFACE);
    holder->New(n);
    holder->ToolWindow();
    HMENU sys = GetSystemMenu(holder->hWnd, FALSE);
    AppendMenuA(sys, MF_SEPARATOR, 0, nullptr);
    for (int mode : {kBarTop, kBarBottom, kBarLeft, kBarRight})
        AppendMenuA(sys, MF_STRING | (canDock(mode) ? 0 : MF_GRAYED), static_cast<UINT_PTR>(kFloatCommand + mode),
                    kDockItems[mode - 1]);
    for (int i = 1; i <= count(); ++i) SetParent(button(i)->hWnd, holder->hWnd);
    oFloat = std::move(holder);
    ShowWindow(hWnd, SW_HIDE);
    oWnd->ReSize();
    ShowWindow(oFloat->hWnd, SW_SHOWNORMAL);
    BtnAdjust();
    ::SetFocus(oFloat->hWnd);
}

void TBar::FloatClick(int mode) {
    if (!oFloat) return;
    ShowWindow(oFloat->hWnd, SW_HIDE);
    for (int i = 1; i <= count(); ++i) SetParent(button(i)->hWnd, hWnd);
    ShowWindow(hWnd, SW_SHOWNA);
    dock(mode);
    oFloat.reset();
}

void TBar::SaveIni(const std::string& name, const std::string& profile) const {
    if (count() == 0) return;
    WRITEPPROSTRING("ButtonBar", "1", barIniEntry(name, nMode), profile);
    const std::string section = "ButtonBar." + name;
    DELINISECTION(section, profile);
    for (int i = 1; i <= count(); ++i) {
        const TBtnBmp* b = button(i);
        BarButtonIni v;
        v.resName1 = b->cResName1;
        v.resName2 = b->cResName2;
        v.bmpFile1 = b->cBmpFile1;
        v.bmpFile2 = b->cBmpFile2;
        v.message = b->cMsg;
        v.action = b->cAction;
        v.group = b->lGroup;
        v.adjust = b->lAdjust;
        v.toolTip = toolTipString(b->cToolTip);
        v.pressed = b->lPressed;
        WRITEPPROSTRING(section, "Button" + std::to_string(i), barButtonIniValue(v), profile);
    }
}

Answer TBar::RButtonDown(int row, int col, WPARAM flags) {
    if (bRClicked) return bRClicked(row, col, flags, *this);
    HMENU m = CreatePopupMenu();
    for (int mode : {kBarTop, kBarLeft, kBarRight, kBarBottom}) {
        if (mode == nMode) continue;
        AppendMenuA(m, MF_STRING | (canDock(mode) ? 0 : MF_GRAYED), static_cast<UINT_PTR>(mode),
                    kDockItems[mode - 1]);
    }
    AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m, MF_STRING, kBarFloat, "&Float");
    SHOWPOPUPMENU(m, hWnd, row, col);
    return 0;
}

Answer TBar::Command(WPARAM w, LPARAM l) {
    if (l != 0) return TControl::Command(w, l);
    const int id = LOWORD(w);
    if (id == kBarFloat) {
        Float();
        return 0;
    }
    if (id >= kBarTop && id <= kBarBottom) {
        dock(id);
        return 0;
    }
    if (id > kFloatCommand && id <= kFloatCommand + 4) {
        FloatClick(id - kFloatCommand);
        return 0;
    }
    return std::nullopt;
}

Answer TBar::Paint() {
    DispBegin();
    RECT c{};
    GetClientRect(hWnd, &c);
    auto separator = [&](int x1, int y1, int x2, int y2, bool horizontal) {
        HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
        HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        HGDIOBJ old = SelectObject(hDC, shadow);
        MoveToEx(hDC, x1, y1, nullptr);
        LineTo(hDC, x2, y2);
        SelectObject(hDC, light);
        MoveToEx(hDC, x1 + (horizontal ? 0 : 1), y1 + (horizontal ? 1 : 0), nullptr);
        LineTo(hDC, x2 + (horizontal ? 0 : 1), y2 + (horizontal ? 1 : 0));
        SelectObject(hDC, old);
        DeleteObject(shadow);
        DeleteObject(light);
    };
    auto separators = [&] {
        for (int i = 1; i <= count(); ++i) {
            TBtnBmp* b = button(i);
            if (!b->lGroup) continue;
            const RECT r = placeInParent(b->hWnd);
            if (vertical())
                separator(2, r.top - 5, c.right - 3, r.top - 5, true);
            else
                separator(r.left - 5, 2, r.left - 5, c.bottom - 3, false);
        }
    };
    if (l2007 || l2010) {
        GRADIENTFILL(hDC, 0, 0, c.bottom - 1, c.right - 1, bClrGrad ? bClrGrad(false) : barGradient(l2010, false),
                     !vertical());
        separators();
        bPainted(hDC, &cPS, *this);
    } else {
        if (oBrush) FillRect(hDC, &c, oBrush->hBrush);
        if (l3D) {
            BARPAINT(hWnd, hDC);
            if (count() && button(1)->l97Look) separators();
            bPainted(hDC, &cPS, *this);
        }
    }
    DispEnd();
    return 0;
}

Answer TBar::MouseMove(int row, int col, WPARAM flags) {
    TControl::MouseMove(row, col, flags);
    if (oWnd && !cMsg.empty()) oWnd->SetMsg(cMsg);
    return 0;
}

std::string TBar::cGenPRG() const {
    static const char* const modes[] = {"TOP", "LEFT", "RIGHT", "DOWN", "FLOAT"};
    std::string s = "\r\n\r\n   DEFINE BUTTONBAR oBar OF oWnd ";
    if (nMode != kBarTop && nMode >= 1 && nMode <= 5) s += modes[nMode - 1];
    s += " SIZE " + std::to_string(nBtnWidth) + ", " + std::to_string(nBtnHeight);
    if (l2007) s += " 2007";
    if (l2010) s += " 2010";
    for (int i = 1; i <= count(); ++i)
        s += "\r\n\r\n   DEFINE BTNBMP OF oBar ACTION MsgInfo( \"Not defined yet\" )";
    return s;
}

// -------------------------------------------------------------------- TBtnBmp

TBtnBmp::~TBtnBmp() {
    TBar* b = bar();
    FreeBitmaps();
    if (b) {
        auto& list = b->aControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

TBar* TBtnBmp::bar() const { return dynamic_cast<TBar*>(oWnd); }

TBtnBmp& TBtnBmp::New(const BtnBmpNew& a) {
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    nTop = a.nTop;
    nLeft = a.nLeft;
    nBottom = a.nTop + a.nHeight - 1;
    nRight = a.nLeft + a.nWidth - 1;
    settingsFrom(a);
    Register(CS_VREDRAW | CS_HREDRAW);
    createOrDefer();
    SetColor(nClrText, nClrPane);
    LoadBitmaps();
    return *this;
}

TBtnBmp& TBtnBmp::ReDefine(int id, const BtnBmpNew& a) {
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    settingsFrom(a);
    Register(CS_VREDRAW | CS_HREDRAW);
    redefine(id, oWnd);
    SetColor(nClrText, nClrPane);
    LoadBitmaps();
    return *this;
}

void TBtnBmp::settingsFrom(const BtnBmpNew& a) {
    copyPictureNames(*this, a);
    bAction = a.bAction;
    cMsg = a.cMsg;
    bWhen = a.bWhen;
    lAdjust = a.lAdjust;
    lUpdate = a.lUpdate;
    cCaptionText = a.cCaption;
    if (a.oFont) {
        oFont = a.oFont;
        ++oFont->nCount;
    }
    lBorder = a.lBorder;
    nLayout = btnLayoutOf(a.cLayout);
    l2007 = l2010 = a.lOffice;
    lTransparent = a.lTransparent;
    cToolTip = a.cToolTip;
    lRound = a.lRound;
    nStyle = WS_CHILD | WS_VISIBLE;
    const bool inBar = oWnd && oWnd->holdsBarButtons();
    if (lBorder) {
        if (!a.lOffice) nStyle |= WS_BORDER;
        if (!inBar) nStyle |= WS_TABSTOP;
    }
    l97Look = !lBorder;
    if (oWnd) nClrText = oWnd->nClrText;
    nClrPane = GetSysColor(COLOR_BTNFACE);
    const TBar* parentBar = dynamic_cast<const TBar*>(oWnd);
    // A bar's own buttons leave the keys to the bar.
    if (!parentBar) nDlgCode = DLGC_WANTALLKEYS;
    bClrGrad = a.bClrGrad;
    if (!bClrGrad && a.lOffice && !(parentBar && parentBar->bClrGrad))
        bClrGrad = [](bool selected) { return buttonGradient(selected); };
}

TBtnBmp& TBtnBmp::NewBar(const BarBtnNew& a) {
    TBar* b = a.oBar ? a.oBar : dynamic_cast<TBar*>(GETWNDDEFAULT());
    oWnd = b;
    lBarBtn = true;
    copyPictureNames(*this, a);
    cMsg = a.cMsg;
    bAction = a.bAction;
    lGroup = a.lGroup;
    lAdjust = a.lAdjust;
    bWhen = a.bWhen;
    cToolTip = a.cToolTip;
    lPressed = lBtnDown = a.lPressed;
    cAction = a.cAction;
    cCaptionText = a.cCaption;
    if (a.oFont) {
        oFont = a.oFont;
        ++oFont->nCount;
    }
    oPopup = a.oPopup;
    nLayout = btnLayoutOf(a.cLayout);
    lTransparent = a.lTransparent;
    lBorder = a.lBorder;
    nStyle = WS_CHILD | WS_VISIBLE;
    if (b && (b->l2007 || b->l2010)) {
        l2007 = b->l2007;
        l2010 = b->l2010;
    } else {
        if (b && b->l97Look) lBorder = false;
        if (lBorder) nStyle |= WS_BORDER;
    }
    l97Look = !lBorder;
    if (b) {
        const bool classic = b->classic3D();
        nTop = b->GetBtnTop(lGroup);
        nLeft = b->GetBtnLeft(lGroup, a.nPosition);
        nBottom = nTop + b->nBtnHeight + 1 - (classic ? 7 : 0);
        nRight = nLeft + b->nBtnWidth - (classic ? 2 : 0) + (oPopup ? kArrowWidth : 0);
        oCursor = b->oCursor;
        nClrText = b->nClrText;
    }
    nClrPane = GetSysColor(COLOR_BTNFACE);
    Register(CS_VREDRAW | CS_HREDRAW);
    createOrDefer();
    if (b) b->Add(*this, a.nPosition);
    SetColor(nClrText, nClrPane);
    LoadBitmaps();
    bClrGrad = nullptr;  // bar buttons paint with their bar's gradient
    if (bWhen && !bWhen()) Disable();
    return *this;
}

void TBtnBmp::LoadBitmaps() {
    FreeBitmaps();
    hBitmap1 = loadOne(cResName1, cBmpFile1);
    hBitmap2 = loadOne(cResName2, cBmpFile2);
    hBitmap3 = loadOne(cResName3, cBmpFile3);
    hBitmap4 = loadOne(cResName4, cBmpFile4);
    int slot = 1;
    for (HBITMAP b : {hBitmap1, hBitmap2, hBitmap3, hBitmap4}) HasAlpha(b, slot++);
}

bool TBtnBmp::HasAlpha(HBITMAP bitmap, int slot) {
    const auto i = static_cast<std::size_t>(std::clamp(slot, 1, 4) - 1);
    aHasAlpha[i] = bitmap && HASALPHA(bitmap);
    return aHasAlpha[i];
}

int TBtnBmp::nAlphaLevel(std::optional<int> level) {
    if (level)
        hAlphaLevel = *level;
    else if (bAlphaLevel)
        hAlphaLevel = bAlphaLevel(*this);
    return hAlphaLevel;
}

void TBtnBmp::ResetBorder() {
    lBorder = false;
    Refresh(false);
}

void TBtnBmp::DrawEllipse(HDC dc, Color colour, int inset) {
    if (!hWnd || !dc) return;
    RECT c{};
    GetClientRect(hWnd, &c);
    HPEN pen = CreatePen(PS_SOLID, 1, colour & 0xFFFFFF);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    Ellipse(dc, inset, inset, c.right - inset, c.bottom - inset);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void TBtnBmp::DrawFocusEllipse(HDC dc) {
    if (!hWnd) return;
    RECT c{};
    GetClientRect(hWnd, &c);
    const double hw = c.right / 2.0, hh = c.bottom / 2.0;
    DRAWFOCUSELLIPSE(hWnd, dc, 10, static_cast<int>(1.83 * std::sqrt((hw * hw + hh * hh) / 2)));
}

std::string TBtnBmp::cGenPRG() const {
    return "\r\n\r\n   DEFINE BTNBMP OF oBar ACTION MsgInfo( \"Not defined yet\" )";
}

void TBtnBmp::FreeBitmaps() {
    aHasAlpha = {};
    for (HBITMAP* b : {&hBitmap1, &hBitmap2, &hBitmap3, &hBitmap4}) {
        if (*b) DeleteObject(*b);
        *b = nullptr;
    }
}

Answer TBtnBmp::Click() {
    if (bWhen && !bWhen()) {
        MessageBeep(MB_OK);
        return 0;
    }
    // The action may pump messages (a dialog, a meter): a second click
    // arriving meanwhile must not run it again.
    if (lProcessing) return 0;
    lProcessing = true;
    try {
        if (bAction) bAction(*this);
    } catch (...) {
        lProcessing = false;
        throw;
    }
    lProcessing = false;
    return TControl::Click();
}

Answer TBtnBmp::LButtonDown(int row, int col, WPARAM flags) {
    if (lDesign) return TControl::LButtonDown(row, col, flags);
    lWorking = true;
    lBtnUp = false;
    ::SetFocus(hWnd);
    if (GetFocus() == hWnd) {
        SetCapture(hWnd);
        lPressed = true;
        Refresh(false);
    }
    lWorking = false;
    if (lBtnUp) LButtonUp(row, col, flags);
    return 0;
}

Answer TBtnBmp::LButtonUp(int row, int col, WPARAM flags) {
    RECT c{};
    GetClientRect(hWnd, &c);
    const bool over = col >= 0 && col < c.right && row >= 0 && row < c.bottom;
    if (lDesign) return TControl::LButtonUp(row, col, flags);
    bLButtonUp(row, col, flags, *this);
    lBtnUp = true;
    if (!lWorking && GetCapture() == hWnd) {
        ReleaseCapture();
        lPressed = lBtnDown;
        Refresh(false);
    }
    if (over) {
        if (oPopup && col >= c.right - kArrowWidth)
            showPopupBelow();
        else
            Click();
    }
    return 0;
}

void TBtnBmp::showPopupBelow() {
    if (!oPopup) return;
    auto menu = oPopup(*this);
    if (!menu) return;
    const RECT r = placeInParent(hWnd);
    POINT p{std::max<int>(r.left, 1), r.bottom};
    HWND anchor = GetParent(hWnd);
    // A bar button opens its menu on the bar's window.
    if (TBar* b = bar(); b && b->oWnd && b->oWnd->hWnd) {
        MapWindowPoints(anchor, b->oWnd->hWnd, &p, 1);
        anchor = b->oWnd->hWnd;
    }
    if (TWindow* shownOn = OWNDFROMHWND(anchor)) menu->Activate(p.y, p.x, *shownOn);
}

void TBtnBmp::ShowPopup() { showPopupBelow(); }

Answer TBtnBmp::MouseMove(int row, int col, WPARAM flags) {
    if (!lMOver) {
        lMOver = true;
        Refresh(false);
    }
    if (lDesign) return TControl::MouseMove(row, col, flags);
    if (oWnd && !cMsg.empty()) oWnd->SetMsg(cMsg);
    if (oCursor && oCursor->hCursor) SetCursor(oCursor->hCursor);
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hWnd, 0};
    TrackMouseEvent(&t);
    return 0;
}

Answer TBtnBmp::MouseLeave(int, int, WPARAM) {
    lMOver = false;
    Refresh(false);
    return 0;
}

Answer TBtnBmp::KeyChar(WPARAM key, LPARAM flags) {
    if (key == VK_RETURN || key == VK_SPACE) {
        lPressed = true;
        Refresh(false);
        return 0;
    }
    return TControl::KeyChar(key, flags);
}

Answer TBtnBmp::KeyDown(WPARAM key, LPARAM flags) {
    if (oWnd && (key == VK_UP || key == VK_LEFT)) oWnd->GoPrevCtrl(hWnd);
    if (oWnd && (key == VK_DOWN || key == VK_RIGHT)) oWnd->GoNextCtrl(hWnd);
    return TControl::KeyDown(key, flags);
}

namespace {
// The focus rectangle of a tab-stop button wider than 25 pixels; drawn
// twice it is gone.
void focusMark(const TBtnBmp& b) {
    if (!(GetWindowLongPtrA(b.hWnd, GWL_STYLE) & WS_TABSTOP)) return;
    RECT c{};
    GetClientRect(b.hWnd, &c);
    if (c.right <= 25) return;
    const int grow = (b.l2007 || b.l2010) ? 2 : 0;
    RECT r{2 - grow, 2 - grow, c.right - 2 + grow, c.bottom - 2 + grow};
    HDC dc = GetDC(b.hWnd);
    DrawFocusRect(dc, &r);
    ReleaseDC(b.hWnd, dc);
}
}  // namespace

Answer TBtnBmp::GotFocus(HWND lost) {
    TControl::GotFocus(lost);
    // The office looks paint their focus mark with the face.
    if (l2007 || l2010)
        Refresh(false);
    else
        focusMark(*this);
    return 0;
}

Answer TBtnBmp::LostFocus(HWND gaining) {
    if (l2007 || l2010)
        Refresh(false);
    else
        focusMark(*this);
    if (l97Look && lBorder && GetCapture() == hWnd) ReleaseCapture();
    return TControl::LostFocus(gaining);
}

void TBtnBmp::SetFile(const std::string& file1, const std::string& file2) {
    cBmpFile1 = file1;
    cBmpFile2 = file2;
    LoadBitmaps();
    Refresh(false);
}

Answer TBtnBmp::HandleEvent(UINT nMsg, WPARAM w, LPARAM l) {
    if (nMsg == WM_KEYUP && lPressed && (w == VK_RETURN || w == VK_SPACE)) {
        lPressed = lBtnDown;
        Refresh(false);
        Click();
    }
    return TControl::HandleEvent(nMsg, w, l);
}

GradientSpec TBtnBmp::aGrad() const {
    if (bClrGrad) return bClrGrad(lMOver || lPressed);
    if (TBar* b = bar(); b && b->bClrGrad && (b->l2007 || b->l2010)) return b->bClrGrad(lMOver);
    return {};
}

void TBtnBmp::Toggle() {
    lBtnDown = !lBtnDown;
    lPressed = lBtnDown;
    Refresh(false);
}
void TBtnBmp::GoUp() {
    lPressed = lBtnDown = false;
    Refresh(false);
}
void TBtnBmp::GoDown() {
    lPressed = lBtnDown = true;
    Refresh(false);
}

Answer TBtnBmp::Paint() {
    DispBegin();
    RECT c{};
    GetClientRect(hWnd, &c);
    const bool office = l2007 || l2010;
    const bool enabled = IsWindowEnabled(hWnd) != 0;
    HBITMAP normal = (lMOver && hBitmap4) ? hBitmap4 : hBitmap1;
    const GradientSpec grad = aGrad();
    if (office || !grad.empty()) {
        if (office && !lBarBtn && !hRgn && (lEllipse || lRound)) {
            // Made once; the window owns and frees the region.
            hRgn = lEllipse ? CreateEllipticRgn(0, 0, c.right + 1, c.bottom + 1)
                            : CreateRoundRectRgn(0, 0, c.right + 1, c.bottom + 1, 6, 6);
            SetWindowRgn(hWnd, hRgn, FALSE);
        }
        const GradientSpec g = grad.empty() ? buttonGradient(lMOver || lPressed) : grad;
        GRADIENTFILL(hDC, 0, 0, c.bottom - 1, c.right - 1, g);
        const bool pressedPicture = lPressed && hBitmap2, disabledPicture = !pressedPicture && !enabled && hBitmap3;
        HBITMAP bmp = pressedPicture ? hBitmap2 : (disabledPicture ? hBitmap3 : normal);
        const int slot = pressedPicture ? 2 : disabledPicture ? 3 : (normal == hBitmap4 && hBitmap4 ? 4 : 1);
        if (bmp) {
            BITMAP info{};
            GetObjectA(bmp, sizeof info, &info);
            const int shift = lPressed ? 1 : 0;
            const int x = (c.right - (oPopup ? kArrowWidth : 0)) / 2 - info.bmWidth / 2 + shift;
            const int y = c.bottom / 2 - info.bmHeight / 2 + shift;
            if (alphaOn() && aHasAlpha[static_cast<std::size_t>(slot - 1)])
                ABPAINT(hDC, x, y, bmp, nAlphaLevel());
            else
                PALBMPDRAW(hDC, y, x, bmp, nullptr, 0, 0, 0, true, GetPixel(hDC, x, y));
        }
        const bool focused = GetFocus() == hWnd && (GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_TABSTOP) && c.right > 25 &&
                             !lBarBtn;
        if (lBorder || lPressed || lMOver) {
            if (office && lEllipse) {
                DrawEllipse(hDC, RGB(141, 178, 227));
                DrawEllipse(hDC, RGB(237, 242, 248), 1);
            } else if (lRound) {
                ROUNDBOX(hDC, 0, 0, c.right - 1, c.bottom - 1, 6, 6, RGB(141, 178, 227));
                if (office) ROUNDBOX(hDC, 1, 1, c.right - 2, c.bottom - 2, 6, 6, RGB(237, 242, 248));
            } else {
                HBRUSH frame = CreateSolidBrush(RGB(141, 178, 227));
                FrameRect(hDC, &c, frame);
                DeleteObject(frame);
            }
        }
        if (office && lMOver && lBoxSelect) {
            // The mouse-over box follows the button's shape.
            const COLORREF box = RGB(221, 207, 155);
            if (lEllipse) {
                DrawEllipse(hDC, box, 2);
            } else if (lRound) {
                ROUNDBOX(hDC, 2, 2, c.right - 3, c.bottom - 3, 6, 6, box);
            } else {
                RECT r{3, 3, c.right - 3, c.bottom - 3};
                HBRUSH b = CreateSolidBrush(box);
                FrameRect(hDC, &r, b);
                DeleteObject(b);
            }
        }
        if (office && focused) {
            if (lEllipse) {
                DrawFocusEllipse(hDC);
            } else {
                const int inset = dynamic_cast<TDialog*>(oWnd) ? 2 : 4;
                RECT r{inset, inset, c.right - inset, c.bottom - inset};
                DrawFocusRect(hDC, &r);
            }
        }
        if (cCaptionText) {
            SetBkMode(hDC, TRANSPARENT);
            SetTextColor(hDC, enabled ? nClrText : RGB(192, 192, 192));
            HGDIOBJ old = oFont ? SelectObject(hDC, oFont->hFont) : nullptr;
            RECT r{6, 0, c.right - 6 - (oPopup ? 12 : 0), c.bottom - 2};
            DrawTextA(hDC, cCaptionText->data(), static_cast<int>(cCaptionText->size()), &r,
                      DT_WORDBREAK | DT_CENTER | (nLayout == 1 ? DT_BOTTOM | DT_SINGLELINE : 0));
            if (old) SelectObject(hDC, old);
        }
    } else {
        if (oBrush) FillRect(hDC, &c, oBrush->hBrush);
        PALBTNPAINT(hWnd, {normal, nullptr}, {hBitmap2 ? hBitmap2 : (lAdjust ? hBitmap1 : nullptr), nullptr},
                    {hBitmap3, nullptr}, lPressed, lAdjust, lBorder, static_cast<bool>(oPopup), nClrPane,
                    cCaptionText, nLayout, oFont ? oFont->hFont : nullptr, nClrText, hDC);
        if (!enabled && !hBitmap3) BTNDISABLE(hWnd, hDC);
    }
    if (oPopup) {
        // The arrow: a small filled triangle at mid-height near the right edge.
        const int x = c.right - 9, y = c.bottom / 2 - 1;
        HBRUSH ink = CreateSolidBrush(enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_BTNSHADOW));
        for (int k = 0; k < 3; ++k) {
            RECT line{x + k, y + k, x + 5 - k, y + k + 1};
            FillRect(hDC, &line, ink);
        }
        DeleteObject(ink);
        if (lBorder || lPressed || lMOver) {
            HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
            HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
            HGDIOBJ old = SelectObject(hDC, shadow);
            MoveToEx(hDC, c.right - 13, 2, nullptr);
            LineTo(hDC, c.right - 13, c.bottom - 2);
            SelectObject(hDC, light);
            MoveToEx(hDC, c.right - 12, 2, nullptr);
            LineTo(hDC, c.right - 12, c.bottom - 2);
            SelectObject(hDC, old);
            DeleteObject(shadow);
            DeleteObject(light);
        }
    }
    DispEnd();
    return 0;
}

Answer TBtnBmp::Destroy() {
    FreeBitmaps();
    return TControl::Destroy();
}

}  // namespace wl
