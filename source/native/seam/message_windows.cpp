// The Windows wait window, ALERT and MSGLIST. The two dialogs are built from
// an in-memory template without controls; their controls are made and laid
// out in pixels when the dialog starts, as their sizes follow the texts.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dialog_template.hpp"
#include "file_names.hpp"
#include "message_pump.hpp"
#include "message_windows.hpp"
#include "paths.hpp"

namespace wl {

namespace {

constexpr int kMargin = 10;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 8;
constexpr int kFirstButtonId = 100;
constexpr int kMessageId = 90;
constexpr int kIconId = 91;
constexpr int kListId = 92;

// A dialog of the style and caption without controls (they are made when
// it starts), copied into DWORDs so that it is aligned as Windows requires.
std::vector<DWORD> dialogTemplate(DWORD style, const std::string& title) {
    const std::string bytes = CDLG2CHR(0, 0, 0, 49, 99, title, style);
    std::vector<DWORD> t((bytes.size() + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    std::memcpy(t.data(), bytes.data(), bytes.size());
    return t;
}

struct FontDeleter {
    void operator()(HFONT f) const {
        if (f) DeleteObject(f);
    }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The system font at a height of -14.
FontHandle systemFont() {
    LOGFONTA lf{};
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
    lf.lfHeight = -14;
    lf.lfWidth = 0;
    return FontHandle(CreateFontIndirectA(&lf));
}

HFONT guiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

SIZE textSize(HWND hwnd, HFONT font, const std::string& text, int maxWidth) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, maxWidth, 0};
    DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

HWND makeChild(HWND parent, const char* cls, const std::string& text, DWORD style, int id, HFONT font) {
    HWND h = CreateWindowExA(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
}

// Sizes the dialog to the client size and centres it over the screen.
void sizeAndCentre(HWND dlg, int clientWidth, int clientHeight) {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(dlg, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dlg, GWL_EXSTYLE)));
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(dlg, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w,
                 h, SWP_NOZORDER);
}

// ---- ALERT ----

struct AlertState {
    const AlertRequest* request = nullptr;
    FontHandle font;
    HICON icon = nullptr;
    bool ownsIcon = false;
    ~AlertState() {
        if (ownsIcon && icon) DestroyIcon(icon);
    }
};

void loadAlertIcon(AlertState& s) {
    const Value icon = s.request->icon.value_or(Value(32515));
    if (icon.isNumber()) {
        s.icon = LoadIconA(nullptr, MAKEINTRESOURCEA(static_cast<WORD>(icon.number())));
    } else if (icon.isText() && fileExists(icon.text())) {
        s.icon = static_cast<HICON>(LoadImageA(nullptr, icon.text().c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
        s.ownsIcon = s.icon != nullptr;
    } else if (icon.isText()) {
        s.icon = LoadIconA(GetModuleHandleA(nullptr), icon.text().c_str());
    }
    if (!s.icon) s.icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32515));
}

void initAlert(HWND dlg, AlertState& s) {
    const AlertRequest& r = *s.request;
    s.font = systemFont();
    HFONT font = s.font ? s.font.get() : guiFont();
    loadAlertIcon(s);

    const SIZE full = textSize(dlg, font, r.message, 500);
    const bool tall = full.cy > 400;
    const int textW = std::max<int>(std::min<int>(full.cx, 500) + (tall ? GetSystemMetrics(SM_CXVSCROLL) : 0), 120);
    const int textH = std::min<int>(full.cy, 400);

    std::vector<HWND> controls;
    controls.push_back(makeChild(dlg, "EDIT", "",
                                 ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_TABSTOP | (tall ? WS_VSCROLL : 0),
                                 kMessageId, font));
    SetWindowTextA(controls.back(), r.message.c_str());
    std::vector<int> widths;
    int buttonsWidth = 0;
    for (std::size_t i = 0; i < r.buttons.size(); ++i) {
        controls.push_back(makeChild(dlg, "BUTTON", r.buttons[i], BS_PUSHBUTTON | WS_TABSTOP,
                                     kFirstButtonId + static_cast<int>(i), font));
        widths.push_back(std::max<int>(100, textSize(dlg, font, r.buttons[i], 1000).cx + 20));
        buttonsWidth += widths.back() + (i ? kButtonGap : 0);
    }
    HWND iconControl = makeChild(dlg, "STATIC", "", SS_ICON, kIconId, font);
    SendMessageA(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(s.icon), 0);

    const int clientW = std::max(kMargin + 32 + kMargin + textW + kMargin, buttonsWidth + 2 * kMargin);
    const int bodyH = std::max(32, textH);
    const int clientH = kMargin + bodyH + 15 + kButtonHeight + kMargin;
    MoveWindow(iconControl, kMargin, kMargin, 32, 32, FALSE);
    MoveWindow(controls[0], 2 * kMargin + 32, kMargin, textW, textH, FALSE);
    int x = (clientW - buttonsWidth) / 2;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        MoveWindow(controls[i + 1], x, clientH - kMargin - kButtonHeight, widths[i], kButtonHeight, FALSE);
        x += widths[i] + kButtonGap;
    }
    sizeAndCentre(dlg, clientW, clientH);

    // Control number nDefault + 1 takes the focus; beyond the last, control 2.
    std::size_t target = r.defaultButton < 0 ? 1 : static_cast<std::size_t>(r.defaultButton);
    if (target >= controls.size()) target = 1;
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(controls[target]), TRUE);
}

INT_PTR CALLBACK alertProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            auto* s = reinterpret_cast<AlertState*>(lParam);
            SetWindowLongPtrA(dlg, DWLP_USER, lParam);
            initAlert(dlg, *s);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND: {
            auto* s = reinterpret_cast<AlertState*>(GetWindowLongPtrA(dlg, DWLP_USER));
            const int id = LOWORD(wParam);
            const int count = s ? static_cast<int>(s->request->buttons.size()) : 0;
            if (id >= kFirstButtonId && id < kFirstButtonId + count) {
                EndDialog(dlg, id - kFirstButtonId + 1);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(dlg, 0);
                return TRUE;
            }
            return FALSE;
        }
        default: return FALSE;
    }
}

// ---- MSGLIST ----

struct ListState {
    const std::vector<std::string>* items = nullptr;
    const MsgListOptions* options = nullptr;
    HWND list = nullptr;
    HWND ok = nullptr;
    HWND cancel = nullptr;
};

void layoutList(HWND dlg, ListState& s) {
    RECT c{};
    GetClientRect(dlg, &c);
    const int buttonsTop = static_cast<int>(c.bottom) - kMargin - kButtonHeight;
    MoveWindow(s.list, kMargin, kMargin, c.right - 2 * kMargin, std::max(0, buttonsTop - 2 * kMargin), TRUE);
    const int n = s.cancel ? 2 : 1;
    int x = (c.right - (n * 100 + (n - 1) * kButtonGap)) / 2;
    MoveWindow(s.ok, x, buttonsTop, 100, kButtonHeight, TRUE);
    if (s.cancel) MoveWindow(s.cancel, x + 100 + kButtonGap, buttonsTop, 100, kButtonHeight, TRUE);
}

int selectedPosition(const ListState& s) {
    const LRESULT sel = SendMessageA(s.list, LB_GETCURSEL, 0, 0);
    return sel == LB_ERR ? 0 : static_cast<int>(sel) + 1;
}

INT_PTR CALLBACK listProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = reinterpret_cast<ListState*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            s = reinterpret_cast<ListState*>(lParam);
            SetWindowLongPtrA(dlg, DWLP_USER, lParam);
            const MsgListOptions& o = *s->options;
            s->list = makeChild(dlg, "LISTBOX", "",
                                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, kListId,
                                guiFont());
            for (const std::string& item : *s->items)
                SendMessageA(s->list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            SendMessageA(s->list, LB_SETCURSEL, static_cast<WPARAM>(std::max(0, o.start - 1)), 0);
            s->ok = makeChild(dlg, "BUTTON", o.ok, BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, guiFont());
            if (o.cancel) s->cancel = makeChild(dlg, "BUTTON", o.cancelText, BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, guiFont());
            // 13 rows x 59.5 columns of 14 x 8 pixels, at least 180 wide.
            const int width = std::max(180, static_cast<int>(o.cols * 8)) + 2 * kMargin;
            const int height = o.rows * 14 + 3 * kMargin + kButtonHeight;
            sizeAndCentre(dlg, width, height);
            layoutList(dlg, *s);
            SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(s->list), TRUE);
            return FALSE;
        }
        case WM_SIZE:
            if (s && s->list) layoutList(dlg, *s);
            return TRUE;
        case WM_COMMAND:
            if (!s) return FALSE;
            if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_DBLCLK) {
                EndDialog(dlg, selectedPosition(*s));
                return TRUE;
            }
            if (LOWORD(wParam) == IDOK) {
                EndDialog(dlg, selectedPosition(*s));
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dlg, 0);
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

// ---- the wait window ----

// A plain window class of its own, so that the wait window can be found.
constexpr char kWaitClass[] = "WLMsgRun";

void registerWaitClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));  // the wait cursor
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kWaitClass;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

struct WindowCloser {
    HWND hwnd;
    ~WindowCloser() { DestroyWindow(hwnd); }
};

}  // namespace

int platformAlert(const AlertRequest& request) {
    AlertState state;
    state.request = &request;
    auto t = dialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, request.title);
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(t.data()),
                                GetActiveWindow(), alertProc, reinterpret_cast<LPARAM>(&state));
    return result < 0 ? 0 : static_cast<int>(result);
}

int platformList(const std::vector<std::string>& items, const std::string& title, const MsgListOptions& options) {
    ListState state;
    state.items = &items;
    state.options = &options;
    auto t = dialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME, title);
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(t.data()),
                                GetActiveWindow(), listProc, reinterpret_cast<LPARAM>(&state));
    return result < 0 ? 0 : static_cast<int>(result);
}

Value platformWaitWindow(const std::string& text, const std::optional<std::string>& title, const WaitAction& action) {
    registerWaitClass();
    const SIZE size = textSize(nullptr, guiFont(), text, 2000);
    RECT r{0, 0, std::max<LONG>(size.cx + 60, 200), std::max<LONG>(size.cy + 40, 60)};
    const DWORD style = WS_POPUP | WS_BORDER | (title ? WS_CAPTION : 0);
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_TOPMOST);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, kWaitClass, title.value_or("").c_str(), style,
                                (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h,
                                GetActiveWindow(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return action();
    WindowCloser closer{hwnd};
    RECT client{};
    GetClientRect(hwnd, &client);
    HWND label = makeChild(hwnd, "STATIC", text, SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, kMessageId, guiFont());
    MoveWindow(label, 0, 0, client.right, client.bottom, FALSE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);  // painted before the action runs
    return action();
}

void platformDrainMessages() { PumpPendingMessages(); }

}  // namespace wl
