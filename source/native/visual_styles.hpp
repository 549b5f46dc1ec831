// Visual styles: whether the program is themed, the themed pieces the
// library draws itself (grippers, header items, a parent's background behind
// a control), themed labels, check boxes and radio buttons, and the older
// 3-D control library CTL3D32 that can be switched on per control. The theme
// library is loaded by name once; without it (or without a manifest) the
// library behaves as unthemed and the callers paint their own 3-D look.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace wl {

// Whether the resource module or the program holds a manifest resource
// (RT_MANIFEST, identifier 1) or a file named like the program plus
// ".Manifest" exists; worked out once per run.
bool APPHASMANIFEST();
// The check behind APPHASMANIFEST, for any module and program file.
bool hasManifest(HMODULE resourceModule, HMODULE program, const std::string& programFile);

// Themed: IsAppThemed exists, the manifest flag is set and it answers true.
bool ISAPPTHEMED();
// Loads the theme library, asks IsThemeActive and frees it again; false
// when either is missing.
bool ISTHEMEACTIVE();
bool isThemeActiveIn(const char* library);

// When themed, the parent's themed background under the window's client
// area painted into hDC.
void DRAWPBACK(HWND hWnd, HDC hDC);
// A themed header item (hot or normal) and its ANSI text 4 pixels in.
void DRAWHEADER(HWND hWnd, HDC hDC, int nTop, int nLeft, int nBottom, int nRight, const std::string& cText,
                bool lHot);
// Prepares a child control's painting over a themed background: labels
// draw transparently, check boxes and radio buttons get the background under
// them; the white stock brush for a group box, the hollow one otherwise.
HBRUSH DRAWTHEMED(HWND hWnd, HDC hDC);

// The themed grippers of bars and status bars; false when not themed (the
// caller then paints its 3-D gripper).
bool DRAWBARGRIPPERTHEMED(HWND hBar, HDC hDC, bool lHorizontal);
bool DRAWSTATUSGRIPPERTHEMED(HWND hBar, HDC hDC);

// SetWindowTheme with the two texts, or two empty texts when none is given.
bool SETWINDOWTHEME(HWND hWnd, const std::optional<std::string>& cAppName = std::nullopt,
                    const std::optional<std::string>& cIdList = std::nullopt);
// True when the "Tab" theme cannot be opened for the desktop window.
bool NOTABTHEME();
// The tab pane background; a beep when there is no "Tab" theme.
void DRAWTABBACK(HWND hWnd, HDC hDC, int nTop, int nLeft, int nBottom, int nRight);
// The themed edit border over the window's rectangle from (-2, -2).
void DRAWEDITBORDER(HWND hWnd, HDC hDC);
// The parent's pixels under the control's client area copied into hDC.
void PAINTPARENTAREA(HWND hWnd, HDC hDC);
// Gives the window's label, check box and radio button children themed
// painting (their own painting comes back while unthemed).
void THEMECONTROLS(HWND hWnd);
// A focus rectangle around the text of a themed check box or radio button
// when none seems drawn yet.
void THEMEDFOCUS(HWND hWnd, HWND hWndFocus);

// CTL3D32: loaded when first used, registered and auto-subclassing, with a
// use count; unregistered and freed when the count falls back to 0.
class Ctl3dLink {
public:
    explicit Ctl3dLink(const char* library) : name_(library) {}
    ~Ctl3dLink();
    Ctl3dLink(const Ctl3dLink&) = delete;
    Ctl3dLink& operator=(const Ctl3dLink&) = delete;

    // Whether the library was loaded before the call; true adds a use
    // (loading it), false removes one.
    bool use(bool on);
    // Adds a use and subclasses the control (or removes its subclass);
    // false when the library is not available.
    bool look(HWND hWnd, bool on);
    bool loaded() const { return module_ != nullptr; }
    int uses() const { return uses_; }
    // An entry of the loaded library; nullptr when absent.
    FARPROC entry(const char* name) const;

private:
    std::string name_;
    HMODULE module_ = nullptr;
    int uses_ = 0;
};

bool CTL3DLOOK(HWND hWnd, bool lOn);
bool CTL3DUSE(bool lOn);
bool CTL3DREGISTER(HINSTANCE hInstance);
bool CTL3DAUTOSUBCLASS(HINSTANCE hInstance);
bool CTL3DUNREGISTER(HINSTANCE hInstance);
// Ctl3dSubclassDlgEx with the flags (0xFFFF for 0).
bool CTL3DSUBCLASSDLG(HWND hDlg, WORD nFlags);

}  // namespace wl
