#include "msgbar.hpp"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "msg_bar_model.hpp"
#include "bar_painting.hpp"
#include "bitmaps.hpp"
#include "common_controls.hpp"
#include "form_records.hpp"
#include "menu.hpp"
#include "messages.hpp"
#include "painting.hpp"
#include "text.hpp"
#include "tooltips.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMs = 400;

// Local day number and seconds of the day.
struct Moment {
    std::int64_t day = 0;
    int secs = 0;
};
Moment now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    const std::uint64_t ticks = (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return {static_cast<std::int64_t>(ticks / 10000000ULL / 86400ULL), st.wHour * 3600 + st.wMinute * 60 + st.wSecond};
}

// The program's start, taken when the library is loaded.
const Moment kStart = now();

struct MsgBarModule {
    TMsgBar* defaultBar = nullptr;
};
MsgBarModule& module() {
    return processState().messageBars.get<MsgBarModule>();
}

std::string timeOfDay() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", st.wHour, st.wMinute, st.wSecond);
    return buf;
}

std::string dateText() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", st.wMonth, st.wDay, st.wYear % 100);
    return buf;
}

std::string resourceTitle() {
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    GlobalMemoryStatusEx(&m);
    const Moment n = now();
    return resourceLine(static_cast<int>(sizeof(void*) * 8), m.ullTotalVirtual - m.ullAvailVirtual, m.ullTotalVirtual,
                        100 - static_cast<int>(m.dwMemoryLoad),
                        runningSeconds(kStart.day, kStart.secs, n.day, n.secs));
}

HBITMAP loadBitmap(const std::string& name) {
    if (name.empty()) return nullptr;
    if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES)
        return static_cast<HBITMAP>(LoadImageA(nullptr, name.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    return LoadBitmapA(GetModuleHandleA(nullptr), name.c_str());
}

int bitmapWidth(HBITMAP b) {
    BITMAP info{};
    return b && GetObjectA(b, sizeof info, &info) ? info.bmWidth : 0;
}

void sunkenSeparator(HDC dc, int x, int top, int bottom) {
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ old = SelectObject(dc, shadow);
    MoveToEx(dc, x, top, nullptr);
    LineTo(dc, x, bottom);
    SelectObject(dc, light);
    MoveToEx(dc, x + 1, top, nullptr);
    LineTo(dc, x + 1, bottom);
    SelectObject(dc, old);
    DeleteObject(shadow);
    DeleteObject(light);
}

const GradientSpec& skin(bool l2010) {
    static const GradientSpec office2007 = {{0.25, RGB(219, 230, 244), RGB(207, 221, 239)},
                                            {0.75, RGB(201, 217, 237), RGB(231, 242, 255)}};
    static const GradientSpec office2010 = {{1, RGB(255, 255, 255), RGB(229, 233, 238)}};
    return l2010 ? office2010 : office2007;
}

}  // namespace

TMsgBar* GETMSGBARDEFAULT() { return module().defaultBar; }
void SETMSGBARDEFAULT(TMsgBar* bar) { module().defaultBar = bar; }

// -------------------------------------------------------------------- TMsgBar

TMsgBar::~TMsgBar() {
    if (hWnd && timerOn_) KillTimer(hWnd, kTimerId);
    for (TMsgItem* item : aItems)
        if (item) item->oMsgBar = nullptr;
    aItems.clear();
    owned_.clear();
    if (module().defaultBar == this) module().defaultBar = nullptr;
}

TMsgBar& TMsgBar::New(const MsgBarNew& a) {
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    cMsg = cMsgDef = a.cPrompt;
    lCentered = a.lCentered;
    lInset = a.lInset;
    l2007 = a.l2007;
    l2010 = a.l2010 && !a.l2007;
    lInfoRes = true;
    lPaint3L = true;
    nStyle = WS_VISIBLE | WS_CHILD | WS_BORDER;
    nClrText = a.nClrText;
    nClrPane = a.nClrBack.value_or(GetSysColor(COLOR_BTNFACE));
    if (oWnd) {
        oWnd->dock(TWindow::Dock::MsgBar, this);
        // The text height + 8 inside the border, so that the text pane
        // (inset 4 on each side) holds a whole line.
        nBarHeight = oWnd->nGetChrHeight() + 8 + 2 * GetSystemMetrics(SM_CYBORDER);
        RECT c{};
        if (oWnd->hWnd) GetClientRect(oWnd->hWnd, &c);
        nLeft = -1;
        nTop = c.bottom - nBarHeight;
        nBottom = c.bottom;
        nRight = c.right + 1;
    }
    Register(CS_VREDRAW | CS_HREDRAW);
    if (a.oFont) {
        oFont = a.oFont;
        ++oFont->nCount;
    }
    createOrDefer();
    if (!oFont) GetFont();
    SetColor(nClrText, nClrPane);
    if (hWnd) Adjust();
    if (a.lKeyboard) KeybOn();
    if (a.lDate) DateOn();
    if (a.lClock) ClockOn();
    SETMSGBARDEFAULT(this);
    return *this;
}

void TMsgBar::SetMsg(const std::string& text, bool) {
    // Exact comparison: "Open" must replace "Open file".
    if (text == cMsg) return;
    cMsg = text;
    if (!hWnd) return;
    if (l2007 || l2010) {
        Refresh(false);
        return;
    }
    HDC dc = GetDC();
    paintMessage(dc, false);
    ReleaseDC();
}

void TMsgBar::paintMessage(HDC dc, bool full) {
    const int right = aItems.empty() ? 0 : itemLeft(*aItems.front());
    MSGPAINT(hWnd, cMsg, cMsgDef, full, lCentered, right, nClrText, nClrPane, oFont ? oFont->hFont : nullptr, lInset,
             dc);
    if (lPaint3L) MSGPAINT3L(hWnd, false, dc);
}

void TMsgBar::PaintBar(HDC dc, int left, int width) {
    if (lPainting || !hWnd) return;
    RECT c{};
    GetClientRect(hWnd, &c);
    if (width <= 0) width = c.right - left;
    GRADIENTFILL(dc, 0, left, c.bottom - 1, left + width, skin(l2010));
}

void TMsgBar::ShowToolTip() {
    if (nItem < 1 || nItem > static_cast<int>(aItems.size())) return;
    const TMsgItem& item = *aItems[static_cast<std::size_t>(nItem - 1)];
    if (item.cToolTip.empty()) return;
    ToolTipText tip;
    tip.text = item.cToolTip;
    TWindow::ShowToolTip(0, item.nLeft(), tip);
    // Above the bar at the panel's left: 14 pixels a line and 2 more.
    const int lines = 1 + static_cast<int>(std::count(tip.text.begin(), tip.text.end(), '\n'));
    POINT p{item.nLeft(), -(lines * 14 + 2)};
    ClientToScreen(hWnd, &p);
    TOOLTIPAT(openToolTip(), p.x, p.y);
}

void TMsgBar::AddItem(TMsgItem& item) {
    item.oMsgBar = this;
    aItems.push_back(&item);
    Refresh();
}

void TMsgBar::InsItem(TMsgItem& item, int position) {
    if (position <= 0) return;
    item.oMsgBar = this;
    const auto at = std::min<std::size_t>(static_cast<std::size_t>(position - 1), aItems.size());
    aItems.insert(aItems.begin() + static_cast<std::ptrdiff_t>(at), &item);
    Refresh();
}

void TMsgBar::DelItem(TMsgItem& item) {
    aItems.erase(std::remove(aItems.begin(), aItems.end(), &item), aItems.end());
    Refresh();
}

TMsgItem& TMsgBar::ownItem(const std::string& text) {
    owned_.push_back(std::make_unique<TMsgItem>());
    TMsgItem& item = *owned_.back();
    MsgItemNew n;
    n.oMsgBar = this;
    n.cMsg = text;
    n.nWidth = GetWidth(text) + 12;
    n.lAdd = true;
    item.New(n);
    return item;
}

void TMsgBar::dropOwned(TMsgItem*& item) {
    if (!item) return;
    DelItem(*item);
    owned_.erase(std::remove_if(owned_.begin(), owned_.end(), [&](const auto& p) { return p.get() == item; }),
                 owned_.end());
    item = nullptr;
}

void TMsgBar::SetItems(const std::vector<std::string>& texts) {
    for (const std::string& t : texts) ownItem(t);
}

int TMsgBar::itemLeft(const TMsgItem& item) const {
    const auto it = std::find(aItems.begin(), aItems.end(), &item);
    if (it == aItems.end()) return 0;
    std::vector<int> widths;
    for (const TMsgItem* i : aItems) widths.push_back(i->nWidth);
    RECT c{};
    if (hWnd) GetClientRect(hWnd, &c);
    const bool narrow = oWnd && oWnd->hWnd && IsZoomed(oWnd->hWnd);
    return msgItemLeft(c.right, widths, static_cast<std::size_t>(it - aItems.begin()), narrow);
}

void TMsgBar::ClockOn() {
    if (oClock) return;
    oClock = &ownItem(timeOfDay());
    oClock->bMsg = [] { return timeOfDay(); };
    oClock->lTimer = true;
    oClock->bAction = [](int, int) { WinExec("Control date/time", SW_SHOWNORMAL); };
    CheckTimer();
}
void TMsgBar::ClockOff() { dropOwned(oClock); }

void TMsgBar::DateOn() {
    if (oDate) return;
    oDate = &ownItem(dateText());
    oDate->bMsg = [] { return dateText(); };
    oDate->lTimer = true;
    oDate->bAction = [](int, int) { WinExec("Control date/time", SW_SHOWNORMAL); };
    CheckTimer();
}
void TMsgBar::DateOff() { dropOwned(oDate); }

void TMsgBar::KeybOn() {
    if (oKeyNum) return;
    struct Key {
        TMsgItem** slot;
        const char* text;
        int vk;
    };
    for (const Key k : {Key{&oKeyNum, "Num", VK_NUMLOCK}, Key{&oKeyCaps, "Caps", VK_CAPITAL},
                        Key{&oKeyIns, "Ins", VK_INSERT}}) {
        TMsgItem& item = ownItem(k.text);
        const int vk = k.vk;
        item.nClrDisabled = GetSysColor(COLOR_BTNSHADOW);
        item.lTimer = true;
        item.lActive = (GetKeyState(vk) & 1) != 0;
        item.bMsg = [&item, vk, text = std::string(k.text)] {
            item.lActive = (GetKeyState(vk) & 1) != 0;
            return text;
        };
        item.bAction = [&item, vk](int, int) {
            INPUT in[2]{};
            in[0].type = in[1].type = INPUT_KEYBOARD;
            in[0].ki.wVk = in[1].ki.wVk = static_cast<WORD>(vk);
            in[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, in, sizeof(INPUT));
            item.Refresh();
        };
        *k.slot = &item;
    }
    CheckTimer();
}
void TMsgBar::KeybOff() {
    dropOwned(oKeyNum);
    dropOwned(oKeyCaps);
    dropOwned(oKeyIns);
}

void TMsgBar::CheckTimer() {
    if (timerOn_ || !hWnd) return;
    timerOn_ = SetTimer(hWnd, kTimerId, kTimerMs, nullptr) != 0;
}

void TMsgBar::TimerEval() {
    for (TMsgItem* item : std::vector<TMsgItem*>(aItems))
        if (item->lTimer) item->Refresh();
    if (!oWnd) return;
    if (lCheckRes) {
        oWnd->SetText(resourceTitle());
    } else if (Cargo.isText()) {
        oWnd->SetText(Cargo.text());
        Cargo = Value();
    }
}

Answer TMsgBar::Timer(WPARAM id, LPARAM) {
    if (id == kTimerId) TimerEval();
    return 0;
}

Answer TMsgBar::LDblClick(int row, int col, WPARAM flags) {
    if (lInfoRes || lCheckRes) {
        if (!lCheckRes && oWnd) Cargo = Value(oWnd->GetText());
        lCheckRes = !lCheckRes;
        CheckTimer();
    }
    return TControl::LDblClick(row, col, flags);
}

Answer TMsgBar::LButtonDown(int row, int col, WPARAM) {
    for (TMsgItem* item : aItems)
        if (item->IsOver(row, col)) {
            item->Click(row, col);
            break;
        }
    return 0;
}

void TMsgBar::FastEdit(int row, int col) {
    auto menu = TMenu::New(true);
    auto add = [&](const std::string& prompt, bool checked, std::function<void()> action) {
        MenuItemNew n;
        n.cPrompt = prompt;
        n.lChecked = checked;
        if (action) n.bAction = [action](TMenuItem&) { action(); };
        menu->Add(TMenuItem::New(n));
    };
    add("Prompt...", false, [this] {
        cMsgDef = EditTitle(cMsgDef);
        Refresh();
    });
    add("", false, nullptr);
    add("Date", oDate != nullptr, [this] { oDate ? DateOff() : DateOn(); });
    add("Clock", oClock != nullptr, [this] { oClock ? ClockOff() : ClockOn(); });
    add("Keyboard", oKeyNum != nullptr, [this] { oKeyNum ? KeybOff() : KeybOn(); });
    add("", false, nullptr);
    add("Source code...", false, [this] { MSGINFO(Value(cGenPrg()), Value("Source code")); });
    menu->Activate(row, col, *this);
}

Answer TMsgBar::RButtonDown(int row, int col, WPARAM) {
    if (lDrag) FastEdit(row, col);
    for (TMsgItem* item : aItems)
        if (item->IsOver(row, col)) {
            item->RClick(row, col);
            break;
        }
    return 0;
}

Answer TMsgBar::MouseMove(int row, int col, WPARAM flags) {
    for (std::size_t i = 0; i < aItems.size(); ++i) {
        if (aItems[i]->bAction && aItems[i]->IsOver(row, col)) {
            SetCursor(LoadCursorA(nullptr, IDC_HAND));
            const int over = static_cast<int>(i + 1);
            if (over != nItem) {
                // Another panel: its own tooltip replaces the last one.
                DestroyToolTip();
                nItem = over;
                ShowToolTip();
            }
            return 0;
        }
    }
    if (nItem) DestroyToolTip();
    nItem = 0;
    return TControl::MouseMove(row, col, flags);
}

Answer TMsgBar::Paint() {
    DispBegin();
    RECT c{};
    GetClientRect(hWnd, &c);
    if (l2007 || l2010) {
        PaintBar(hDC);
        const std::string& text = cMsg.empty() ? cMsgDef : cMsg;
        const int right = aItems.empty() ? c.right : itemLeft(*aItems.front());
        HGDIOBJ old = oFont ? SelectObject(hDC, oFont->hFont) : nullptr;
        SetBkMode(hDC, TRANSPARENT);
        SetTextColor(hDC, nClrText);
        RECT r{4, c.bottom / 4 - 2, right, c.bottom};
        DrawTextA(hDC, text.data(), static_cast<int>(text.size()), &r, DT_NOPREFIX | (lCentered ? DT_CENTER : 0));
        if (old) SelectObject(hDC, old);
        lPainting = true;
        for (TMsgItem* item : aItems) item->Paint(hDC);
        lPainting = false;
        if (lPaint3L) MSGPAINT3L(hWnd, true, hDC);
        bPainted(hDC, &cPS, *this);
    } else {
        if (oBrush) FillRect(hDC, &c, oBrush->hBrush);
        paintMessage(hDC, true);
        for (TMsgItem* item : aItems) item->Paint(hDC);
        if (lPaint3L) MSGPAINT3L(hWnd, false, hDC);
    }
    DispEnd();
    return 0;
}

void TMsgBar::Adjust() {
    if (!hWnd || !oWnd || !oWnd->hWnd) return;
    RECT c{};
    GetClientRect(oWnd->hWnd, &c);
    SetWindowPos(hWnd, nullptr, c.left - 1, c.bottom - nBarHeight, c.right - c.left + 2, nBarHeight, SWP_NOZORDER);
    CoorsUpdate();
}

Answer TMsgBar::Destroy() {
    if (hWnd && timerOn_) KillTimer(hWnd, kTimerId);
    timerOn_ = false;
    for (TMsgItem* item : aItems) item->End();
    if (module().defaultBar == this) module().defaultBar = nullptr;
    return TControl::Destroy();
}

// ------------------------------------------------------------------- TMsgItem

TMsgItem::~TMsgItem() {
    if (oMsgBar) {
        auto& items = oMsgBar->aItems;
        items.erase(std::remove(items.begin(), items.end(), this), items.end());
    }
    End();
}

TMsgItem& TMsgItem::New(const MsgItemNew& a) {
    oMsgBar = a.oMsgBar ? a.oMsgBar : GETMSGBARDEFAULT();
    cMsg = a.cMsg;
    hBitmap1 = loadBitmap(a.cBmpActive);
    hBitmap2 = loadBitmap(a.cBmpInactive);
    nWidth = a.nWidth.value_or(hBitmap1 ? bitmapWidth(hBitmap1) + 7 : 40);
    oFont = a.oFont ? a.oFont : (oMsgBar ? oMsgBar->oFont : nullptr);
    if (oFont) ++oFont->nCount;
    nClrText = a.nClrText.value_or(oMsgBar ? oMsgBar->nClrText : 0);
    nClrPane = a.nClrBack.value_or(oMsgBar ? oMsgBar->nClrPane : RGB(255, 255, 255));
    nClrDisabled = GetSysColor(COLOR_GRAYTEXT);
    bAction = a.bAction;
    cToolTip = a.cToolTip;
    if (!cToolTip.empty() && oMsgBar) oMsgBar->cToolTip = ToolTip{};
    if (a.lAdd && oMsgBar) oMsgBar->AddItem(*this);
    return *this;
}

int TMsgItem::nLeft() const { return oMsgBar ? oMsgBar->itemLeft(*this) : 0; }

bool TMsgItem::IsOver(int row, int col) const { return msgItemIsOver(nLeft(), nWidth, row, col); }

void TMsgItem::Paint(HDC dc) {
    if (!oMsgBar || !oMsgBar->hWnd) return;
    RECT c{};
    GetClientRect(oMsgBar->hWnd, &c);
    const int h = c.bottom, left = nLeft();
    const bool office = oMsgBar->l2007 || oMsgBar->l2010;
    HBITMAP bmp = lActive ? hBitmap1 : (hBitmap2 ? hBitmap2 : hBitmap1);
    const int bw = bitmapWidth(bmp);
    if (office) oMsgBar->PaintBar(dc, left - 2, nWidth + 2);
    if (bmp) DRAWMASKED(dc, bmp, 2, left + 1);
    const std::string text = alltrim(cMsg);
    if (office) {
        HGDIOBJ old = oFont ? SelectObject(dc, oFont->hFont) : nullptr;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, lActive ? nClrText : nClrDisabled);
        RECT r{left, h / 4 - 2, left + nWidth, h};
        DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, DT_CENTER | DT_NOPREFIX);
        if (old) SelectObject(dc, old);
    } else {
        // The text inside the sunken frame, a whole line high.
        DRAWMSGITEM(dc, text, {4, left + bw + 2, h - 5, left + nWidth - 5}, lActive ? nClrText : nClrDisabled,
                    oMsgBar->nClrPane, oFont ? oFont->hFont : nullptr);
        if (oMsgBar->lInset) WNDBOXIN(dc, 3, left + 1, h - 5, left + nWidth - 4);
    }
    sunkenSeparator(dc, left - 4, 3, h - 4);
}

void TMsgItem::paintNow() {
    if (!oMsgBar || !oMsgBar->hWnd || !IsWindowVisible(oMsgBar->hWnd)) return;
    HDC dc = GetDC(oMsgBar->hWnd);
    Paint(dc);
    ReleaseDC(oMsgBar->hWnd, dc);
}

void TMsgItem::Refresh() {
    if (bMsg) {
        const std::string text = bMsg();
        // Exact comparison: "Rec 12" must replace "Rec 1".
        if (text != cMsg || lActive != lWasActive) {
            cMsg = text;
            paintNow();
            lWasActive = lActive;
        }
    }
    if (oMsgBar) oMsgBar->Refresh(false);
}

void TMsgItem::SetText(const std::string& text) {
    cMsg = text;
    paintNow();
}

void TMsgItem::SetFont(std::shared_ptr<TFont> font) {
    if (oFont) oFont->End();
    oFont = std::move(font);
    if (oFont) ++oFont->nCount;
}

void TMsgItem::SetBitmap(const std::string& active, const std::string& inactive) {
    if (HBITMAP b = loadBitmap(active)) {
        if (hBitmap1) DeleteObject(hBitmap1);
        hBitmap1 = b;
    }
    if (HBITMAP b = loadBitmap(inactive)) {
        if (hBitmap2) DeleteObject(hBitmap2);
        hBitmap2 = b;
    }
    Refresh();
}

void TMsgItem::SetColor(Color text, Color pane) {
    nClrText = text;
    nClrPane = pane;
    if (oMsgBar) oMsgBar->Refresh(false);
}

void TMsgItem::End() {
    if (hBitmap1) DeleteObject(hBitmap1);
    if (hBitmap2) DeleteObject(hBitmap2);
    hBitmap1 = hBitmap2 = nullptr;
    if (oFont) oFont->End();
    oFont.reset();
}

// ----------------------------------------------------------------- TStatusBar

TStatusBar& TStatusBar::New(const StatusBarNew& a) {
    oWnd = a.oWnd ? a.oWnd : GETWNDDEFAULT();
    cMsgDef = a.cMsgDef;
    nStyle = WS_CHILD | WS_VISIBLE;
    INITCOMMONCONTROLSEX(ICC_BAR_CLASSES);
    cCaption = cMsgDef;
    createOrDefer();
    if (hWnd) {
        if (!a.aParts.empty()) SetParts(a.aParts);
        if (!a.aPrompts.empty()) SetPrompts(a.aPrompts);
    }
    if (oWnd) oWnd->dock(TWindow::Dock::Bottom, this);
    if (a.lClock) ClockOn();
    return *this;
}

void TStatusBar::SetMsg(const std::string& text, bool) {
    const std::string& shown = text.empty() ? cMsgDef : text;
    if (GetText() != shown) SetText(shown);
}

std::vector<int> TStatusBar::GetParts() const {
    const auto n = static_cast<int>(SendMessageA(hWnd, SB_GETPARTS, 0, 0));
    std::vector<INT> edges(static_cast<std::size_t>(std::max(n, 0)));
    if (n > 0) SendMessageA(hWnd, SB_GETPARTS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(edges.data()));
    return {edges.begin(), edges.end()};
}

bool TStatusBar::SetParts(const std::vector<int>& edges) {
    std::vector<INT> packed(edges.begin(), edges.end());
    return SendMsg(SB_SETPARTS, packed.size(), reinterpret_cast<LPARAM>(packed.data())) != 0;
}

bool TStatusBar::SetPartText(int n, const std::string& text) {
    // Sent, not posted: the control has copied the text when this returns,
    // so the caller's text may go at once.
    return SendMsg(SB_SETTEXTA, static_cast<WPARAM>(n - 1), reinterpret_cast<LPARAM>(text.c_str())) != 0;
}

std::string TStatusBar::GetPartText(int n) const {
    const auto len = LOWORD(SendMessageA(hWnd, SB_GETTEXTLENGTHA, static_cast<WPARAM>(n - 1), 0));
    std::string s(static_cast<std::size_t>(len) + 1, '\0');
    SendMessageA(hWnd, SB_GETTEXTA, static_cast<WPARAM>(n - 1), reinterpret_cast<LPARAM>(s.data()));
    s.resize(len);
    return s;
}

void TStatusBar::SetPrompts(const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) SetPartText(static_cast<int>(i + 1), texts[i]);
}

void TStatusBar::ClockOn() {
    if (nPartTime || !hWnd) return;
    std::vector<int> parts = GetParts();
    if (parts.size() == 1 && parts[0] == -1) parts.clear();  // one part filling the bar
    RECT c{};
    GetClientRect(hWnd, &c);
    parts.push_back(c.right - 70);
    parts.push_back(c.right);
    SetParts(parts);
    nPartTime = static_cast<int>(parts.size());
    timerOn_ = SetTimer(hWnd, kTimerId, kTimerMs, nullptr) != 0;
}

void TStatusBar::AdjBottom() {
    if (!hWnd) return;
    SendMsg(WM_SIZE, 0, 0);  // the control docks itself
    if (!nPartTime || !oWnd || !oWnd->hWnd) return;
    RECT c{};
    GetClientRect(oWnd->hWnd, &c);
    std::vector<int> parts = GetParts();
    if (parts.size() < 2) return;
    parts[parts.size() - 2] = c.right - 70 + (IsZoomed(oWnd->hWnd) ? 10 : 0);
    parts.back() = c.right;
    SetParts(parts);
}

void TStatusBar::TimerEval() {
    if (!nPartTime) return;
    std::string text(1, ' ');
    text += timeOfDay();
    SetPartText(*nPartTime, text);
}

Answer TStatusBar::Timer(WPARAM id, LPARAM) {
    if (id == kTimerId) TimerEval();
    return 0;
}

Answer TStatusBar::Destroy() {
    if (hWnd && timerOn_) KillTimer(hWnd, kTimerId);
    timerOn_ = false;
    return TControl::Destroy();
}

std::string TMsgItem::Save() const {
    const TMsgItem fresh;
    SavedObject o;
    o.className = "TMSGITEM";
    auto put = [&](const char* name, Value v) { o.properties.emplace_back(name, std::move(v)); };
    if (cMsg != fresh.cMsg) put("cMsg", Value(cMsg));
    if (nWidth != fresh.nWidth) put("nWidth", Value(nWidth));
    return saveObject(o);
}

bool TMsgItem::Load(const std::string& data) {
    auto o = OREAD(data);
    if (!o || o->className != "TMSGITEM") return false;
    for (const auto& [name, v] : o->properties) {
        if (name == "cMsg" && v.isText()) SetText(v.text());
        else if (name == "nWidth" && v.isNumber()) nWidth = static_cast<int>(v.number());
    }
    if (oMsgBar && oMsgBar->hWnd) oMsgBar->Refresh();
    return true;
}

}  // namespace wl
