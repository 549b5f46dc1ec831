#include "visual_styles.hpp"

#include <uxtheme.h>

#include "library_registry.hpp"
#include "messages.hpp"
#include "wide_text.hpp"
#include "window_natives.hpp"
#include "process_state.hpp"

namespace wl {
namespace {

// Theme parts and states the library draws.
constexpr int kHeaderItem = 1;
constexpr int kRebarGripper = 1, kRebarGripperVert = 2;
constexpr int kStatusGripper = 3;
constexpr int kButtonRadio = 2, kButtonCheckBox = 3;
constexpr int kTabPane = 10;
constexpr int kEditText = 1;

// The theme library's entry points, looked up by name once.
struct ThemeApi {
    using IsAppThemedFn = BOOL(WINAPI*)();
    using OpenFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using DrawBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
    using DrawParentBackgroundFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
    using CloseFn = HRESULT(WINAPI*)(HTHEME);
    using DrawTextFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*);
    using ContentRectFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, RECT*);
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    using EnableDialogTextureFn = HRESULT(WINAPI*)(HWND, DWORD);

    IsAppThemedFn isAppThemed = nullptr;
    OpenFn open = nullptr;
    DrawBackgroundFn drawBackground = nullptr;
    DrawParentBackgroundFn drawParentBackground = nullptr;
    CloseFn close = nullptr;
    DrawTextFn drawText = nullptr;
    ContentRectFn contentRect = nullptr;
    SetWindowThemeFn setWindowTheme = nullptr;
    EnableDialogTextureFn enableDialogTexture = nullptr;

    ThemeApi() {
        // Kept for the run: theme handles must not outlive their library.
        HMODULE lib = LoadLibraryA("UXTHEME.DLL");
        if (!lib) return;
        auto find = [lib](const char* name) { return reinterpret_cast<void*>(GetProcAddress(lib, name)); };
        isAppThemed = reinterpret_cast<IsAppThemedFn>(find("IsAppThemed"));
        open = reinterpret_cast<OpenFn>(find("OpenThemeData"));
        drawBackground = reinterpret_cast<DrawBackgroundFn>(find("DrawThemeBackground"));
        drawParentBackground = reinterpret_cast<DrawParentBackgroundFn>(find("DrawThemeParentBackground"));
        close = reinterpret_cast<CloseFn>(find("CloseThemeData"));
        drawText = reinterpret_cast<DrawTextFn>(find("DrawThemeText"));
        contentRect = reinterpret_cast<ContentRectFn>(find("GetThemeBackgroundContentRect"));
        setWindowTheme = reinterpret_cast<SetWindowThemeFn>(find("SetWindowTheme"));
        enableDialogTexture = reinterpret_cast<EnableDialogTextureFn>(find("EnableThemeDialogTexture"));
    }
};

const ThemeApi& themes() {
    static const ThemeApi api;
    return api;
}

// Theme data of one class for a window, closed when it goes.
class ThemeData {
public:
    ThemeData(HWND hWnd, const wchar_t* className) {
        const auto& api = themes();
        if (api.open && api.close) handle_ = api.open(hWnd, className);
    }
    ~ThemeData() {
        if (handle_) themes().close(handle_);
    }
    ThemeData(const ThemeData&) = delete;
    ThemeData& operator=(const ThemeData&) = delete;
    explicit operator bool() const { return handle_ != nullptr; }

    void background(HDC dc, int part, int state, const RECT& r) const {
        if (handle_ && themes().drawBackground) themes().drawBackground(handle_, dc, part, state, &r, nullptr);
    }
    // ANSI text drawn as UTF-16 (the theme draws wide texts only).
    void text(HDC dc, int part, int state, const std::string& ansi, const RECT& r) const {
        if (!handle_ || !themes().drawText) return;
        const std::wstring wide = AnsiToWideAlloc(ansi);
        themes().drawText(handle_, dc, part, state, wide.c_str(), static_cast<int>(wide.size()), 0, 0, &r);
    }

private:
    HTHEME handle_ = nullptr;
};

bool sameName(const std::string& className, const char* name) { return lstrcmpiA(className.c_str(), name) == 0; }

std::string programFile() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string windowText(HWND hWnd) {
    const int length = GetWindowTextLengthA(hWnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hWnd, text.data(), length + 1)));
    return text;
}

HWND grandParent(HWND hWnd) {
    HWND parent = GetParent(hWnd);
    return parent ? GetParent(parent) : nullptr;
}

// Copies the part of `from`'s client area that lies under `control` into
// hDC at (0, 0).
void copyUnder(HWND control, HWND from, HDC hDC) {
    if (!from) return;
    RECT r{};
    GetClientRect(control, &r);
    MapWindowPoints(control, from, reinterpret_cast<POINT*>(&r), 2);
    HDC source = GetDC(from);
    BitBlt(hDC, 0, 0, r.right - r.left, r.bottom - r.top, source, r.left, r.top, SRCCOPY);
    ReleaseDC(from, source);
}

bool isGroupBox(LONG_PTR style) { return (style & 7) == 7; }

// ---- themed painting of labels, check boxes and radio buttons

enum class Kind { Label, CheckBox, Radio };

struct OldProcs {
    WNDPROC label = nullptr, checkBox = nullptr, radio = nullptr;
    WNDPROC& of(Kind k) { return k == Kind::Label ? label : k == Kind::CheckBox ? checkBox : radio; }
};

OldProcs& oldProcs() {
    return processState().visualStyles.get<OldProcs>();
}

HFONT grandParentFont(HWND hWnd) {
    HWND gp = grandParent(hWnd);
    return gp ? reinterpret_cast<HFONT>(SendMessageA(gp, WM_GETFONT, 0, 0)) : nullptr;
}

bool mouseOver(HWND hWnd) {
    POINT p{};
    RECT r{};
    GetCursorPos(&p);
    GetWindowRect(hWnd, &r);
    return PtInRect(&r, p) != FALSE;
}

void paintLabel(HWND hWnd, HDC dc) {
    RECT r{};
    GetClientRect(hWnd, &r);
    HGDIOBJ old = nullptr;
    if (HFONT f = grandParentFont(hWnd)) old = SelectObject(dc, f);
    SetBkMode(dc, TRANSPARENT);
    std::string text = windowText(hWnd);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, 0);
    if (old) SelectObject(dc, old);
}

void paintButton(HWND hWnd, HDC dc, Kind kind) {
    RECT r{};
    GetClientRect(hWnd, &r);
    PAINTPARENTAREA(hWnd, dc);
    const bool checked = SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    ThemeData theme(hWnd, L"Button");
    const bool radio = kind == Kind::Radio;
    const int part = radio ? kButtonRadio : kButtonCheckBox;
    const int state = radio ? (checked ? 5 : 1) : 1 + (checked ? 4 : 0) + (mouseOver(hWnd) ? 1 : 0);
    theme.background(dc, part, state, RECT{r.left, r.top, 16, r.bottom});
    HGDIOBJ old = nullptr;
    if (HFONT f = grandParentFont(hWnd)) old = SelectObject(dc, f);
    theme.text(dc, part, 0, windowText(hWnd), RECT{17, r.top + (radio ? 5 : 2), r.right, r.bottom});
    if (old) SelectObject(dc, old);
}

LRESULT themedProc(Kind kind, HWND hWnd, UINT msg, WPARAM w, LPARAM l) {
    WNDPROC old = oldProcs().of(kind);
    if (msg == WM_PAINT && ISAPPTHEMED()) {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hWnd, &ps);
        if (kind == Kind::Label)
            paintLabel(hWnd, dc);
        else
            paintButton(hWnd, dc, kind);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return old ? CallWindowProcA(old, hWnd, msg, w, l) : DefWindowProcA(hWnd, msg, w, l);
}

LRESULT CALLBACK labelProc(HWND h, UINT m, WPARAM w, LPARAM l) { return themedProc(Kind::Label, h, m, w, l); }
LRESULT CALLBACK checkBoxProc(HWND h, UINT m, WPARAM w, LPARAM l) { return themedProc(Kind::CheckBox, h, m, w, l); }
LRESULT CALLBACK radioProc(HWND h, UINT m, WPARAM w, LPARAM l) { return themedProc(Kind::Radio, h, m, w, l); }

void subclass(HWND hWnd, Kind kind) {
    WNDPROC proc = kind == Kind::Label ? labelProc : kind == Kind::CheckBox ? checkBoxProc : radioProc;
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    if (current == proc) return;
    auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    WNDPROC& saved = oldProcs().of(kind);
    if (!saved) saved = previous;
}

struct Ctl3d {
    Ctl3dLink link{"CTL3D32.DLL"};
};
Ctl3dLink& ctl3d() { return processState().ctl3d.get<Ctl3d>().link; }

template <class Fn>
Fn ctl3dEntry(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(ctl3d().entry(name)));
}

using InstanceCall = BOOL(WINAPI*)(HINSTANCE);
using WindowCall = BOOL(WINAPI*)(HWND);

bool callInstance(const char* name, HINSTANCE hInstance) {
    auto fn = ctl3dEntry<InstanceCall>(name);
    return fn && fn(hInstance);
}

}  // namespace

// ------------------------------------------------------------ themed or not

bool hasManifest(HMODULE resourceModule, HMODULE program, const std::string& file) {
    for (HMODULE m : {resourceModule, program})
        if (m && FindResourceA(m, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) return true;
    const std::string manifest = file + ".Manifest";
    return GetFileAttributesA(manifest.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool APPHASMANIFEST() {
    static const bool flag = hasManifest(GetResourceInstance(), GetModuleHandleA(nullptr), programFile());
    return flag;
}

bool ISAPPTHEMED() {
    const auto& api = themes();
    return api.isAppThemed && APPHASMANIFEST() && api.isAppThemed();
}

bool isThemeActiveIn(const char* library) {
    HMODULE lib = LoadLibraryA(library);
    if (!lib) return false;
    using Fn = BOOL(WINAPI*)();
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(lib, "IsThemeActive")));
    const bool active = fn && fn();
    FreeLibrary(lib);
    return active;
}

bool ISTHEMEACTIVE() { return isThemeActiveIn("UxTheme.dll"); }

// ------------------------------------------------------------ themed pieces

void DRAWPBACK(HWND hWnd, HDC hDC) {
    if (!ISAPPTHEMED() || !themes().drawParentBackground) return;
    RECT r{};
    GetClientRect(hWnd, &r);
    themes().drawParentBackground(hWnd, hDC, &r);
}

void DRAWHEADER(HWND hWnd, HDC hDC, int nTop, int nLeft, int nBottom, int nRight, const std::string& cText,
                bool lHot) {
    ThemeData theme(hWnd, L"Header");
    if (!theme) return;
    const int state = lHot ? 2 : 1;
    theme.background(hDC, kHeaderItem, state, RECT{nLeft, nTop, nRight, nBottom});
    theme.text(hDC, kHeaderItem, state, cText, RECT{nLeft + 4, nTop + 1, nRight, nBottom + 1});
}

HBRUSH DRAWTHEMED(HWND hWnd, HDC hDC) {
    HWND reference = grandParent(hWnd);
    if (!reference) reference = GetParent(hWnd);
    const LONG_PTR style = GetWindowLongPtrA(hWnd, GWL_STYLE);
    const std::string cls = GETCLASSNAME(hWnd);
    const bool button = sameName(cls, "Button");
    if (sameName(cls, "Static")) SetBkMode(hDC, TRANSPARENT);
    if (button && !isGroupBox(style) && (style & 1)) copyUnder(hWnd, reference, hDC);
    return static_cast<HBRUSH>(GetStockObject(button && isGroupBox(style) ? WHITE_BRUSH : NULL_BRUSH));
}

bool DRAWBARGRIPPERTHEMED(HWND hBar, HDC hDC, bool lHorizontal) {
    if (!ISAPPTHEMED()) return false;
    ThemeData theme(hBar, L"Rebar");
    if (!theme) return false;
    RECT r{};
    GetClientRect(hBar, &r);
    if (lHorizontal)
        theme.background(hDC, kRebarGripperVert, 0, RECT{r.left, r.top + 2, r.left + 10, r.bottom - 2});
    else
        theme.background(hDC, kRebarGripper, 0, RECT{r.left + 2, r.top, r.right - 3, r.top + 10});
    return true;
}

bool DRAWSTATUSGRIPPERTHEMED(HWND hBar, HDC hDC) {
    if (!ISAPPTHEMED()) return false;
    ThemeData theme(hBar, L"Status");
    if (!theme) return false;
    RECT r{};
    GetClientRect(hBar, &r);
    theme.background(hDC, kStatusGripper, 0, RECT{r.right - 20, r.top, r.right, r.bottom - 1});
    return true;
}

bool SETWINDOWTHEME(HWND hWnd, const std::optional<std::string>& cAppName,
                    const std::optional<std::string>& cIdList) {
    const auto& api = themes();
    if (!api.setWindowTheme) return false;
    const std::wstring app = AnsiToWideAlloc(cAppName.value_or(""));
    const std::wstring ids = AnsiToWideAlloc(cIdList.value_or(""));
    return SUCCEEDED(api.setWindowTheme(hWnd, app.c_str(), ids.c_str()));
}

bool NOTABTHEME() { return !ThemeData(GetDesktopWindow(), L"Tab"); }

void DRAWTABBACK(HWND hWnd, HDC hDC, int nTop, int nLeft, int nBottom, int nRight) {
    ThemeData theme(hWnd, L"Tab");
    if (!theme) {
        MessageBeep(0);
        return;
    }
    theme.background(hDC, kTabPane, 1, RECT{nLeft, nTop, nRight, nBottom});
}

void DRAWEDITBORDER(HWND hWnd, HDC hDC) {
    ThemeData theme(hWnd, L"Edit");
    RECT r{};
    GetWindowRect(hWnd, &r);
    theme.background(hDC, kEditText, 1, RECT{-2, -2, r.right - r.left - 2, r.bottom - r.top - 2});
}

void PAINTPARENTAREA(HWND hWnd, HDC hDC) { copyUnder(hWnd, GetParent(hWnd), hDC); }

void THEMECONTROLS(HWND hWnd) {
    for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        const std::string cls = GETCLASSNAME(child);
        if (sameName(cls, "Static")) {
            subclass(child, Kind::Label);
        } else if (sameName(cls, "Button") && !isGroupBox(style)) {
            if ((style & 0x9) == 0x9)
                subclass(child, Kind::Radio);
            else if (style & 0x2)
                subclass(child, Kind::CheckBox);
        }
    }
}

void THEMEDFOCUS(HWND hWnd, HWND hWndFocus) {
    if (hWnd == hWndFocus || !grandParent(hWnd)) return;
    const bool radio = (GetWindowLongPtrA(hWnd, GWL_STYLE) & 0x9) == 0x9;
    const int x = radio ? 19 : 20, y = radio ? 4 : 1;
    HDC dc = GetDC(hWnd);
    // A dotted focus frame makes the two pixels of its top edge differ.
    if (GetPixel(dc, x, y) == GetPixel(dc, x, y + 1)) {
        HGDIOBJ old = nullptr;
        if (HFONT f = grandParentFont(hWnd)) old = SelectObject(dc, f);
        const std::string text = windowText(hWnd);
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        RECT client{};
        GetClientRect(hWnd, &client);
        const int inset = radio ? 4 : 1;
        RECT frame{15, client.top + inset, 17 + size.cx, client.bottom - inset - 1};
        DrawFocusRect(dc, &frame);
        if (old) SelectObject(dc, old);
    }
    ReleaseDC(hWnd, dc);
}

// --------------------------------------------------------------------- CTL3D

Ctl3dLink::~Ctl3dLink() {
    if (module_) FreeLibrary(module_);
}

FARPROC Ctl3dLink::entry(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

bool Ctl3dLink::use(bool on) {
    const bool wasLoaded = loaded();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    using Fn = BOOL(WINAPI*)(HINSTANCE);
    auto call = [this, instance](const char* name) {
        if (auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(entry(name)))) fn(instance);
    };
    if (on) {
        if (!module_) {
            module_ = LoadLibraryA(name_.c_str());
            if (module_) {
                call("Ctl3dRegister");
                call("Ctl3dAutoSubclass");
            }
        }
        ++uses_;
    } else if (uses_ > 0 && --uses_ == 0 && module_) {
        call("Ctl3dUnregister");
        FreeLibrary(module_);
        module_ = nullptr;
    }
    return wasLoaded;
}

bool Ctl3dLink::look(HWND hWnd, bool on) {
    use(true);
    if (!loaded()) return false;
    if (on) {
        auto fn = reinterpret_cast<WindowCall>(reinterpret_cast<void*>(entry("Ctl3dSubclassCtl")));
        return fn && fn(hWnd);
    }
    auto fn = reinterpret_cast<WindowCall>(reinterpret_cast<void*>(entry("Ctl3dUnsubclassCtl")));
    if (!fn) {
        NMSGBOX("no aparece", Value("ok"));
        return false;
    }
    return fn(hWnd);
}

bool CTL3DLOOK(HWND hWnd, bool lOn) { return ctl3d().look(hWnd, lOn); }
bool CTL3DUSE(bool lOn) { return ctl3d().use(lOn); }
bool CTL3DREGISTER(HINSTANCE hInstance) { return callInstance("Ctl3dRegister", hInstance); }
bool CTL3DAUTOSUBCLASS(HINSTANCE hInstance) { return callInstance("Ctl3dAutoSubclass", hInstance); }
bool CTL3DUNREGISTER(HINSTANCE hInstance) { return callInstance("Ctl3dUnregister", hInstance); }

bool CTL3DSUBCLASSDLG(HWND hDlg, WORD nFlags) {
    using Fn = BOOL(WINAPI*)(HWND, DWORD);
    auto fn = ctl3dEntry<Fn>("Ctl3dSubclassDlgEx");
    return fn && fn(hDlg, nFlags ? nFlags : 0xFFFF);
}

}  // namespace wl
