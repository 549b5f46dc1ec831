// The toolbar and rebar common controls ("ToolbarWindow32",
// "ReBarWindow32") and the answer to a tool tip's text request. Positions
// given to TBSETTEXT count from 1; Windows counts from 0.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <optional>
#include <string>

namespace wl {

// A visible toolbar child of the parent with the identifier and button
// size, drawing drop-down arrows; nullptr when Windows cannot make it.
HWND CREATETLBAR(HWND hParent, int nId, int nButtonWidth, int nButtonHeight);
// A plain button (image nImage - 1, command nId), with a text when one is
// given; the toolbar is sized to its buttons afterwards.
bool TBADDBUTTON(HWND hToolbar, int nId, int nImage, const std::optional<std::string>& cText = std::nullopt);
// A drop-down button, otherwise as TBADDBUTTON (the toolbar keeps its size).
bool TBADDMENU(HWND hToolbar, int nId, int nImage, const std::optional<std::string>& cText = std::nullopt);
bool TBADDSEPARATOR(HWND hToolbar);
// The text of the button at position nIndex (from 1).
bool TBSETTEXT(HWND hToolbar, int nIndex, const std::string& cText);
bool TBENABLEBUTTON(HWND hToolbar, int nId, bool lEnable);
// {left, bottom, iItem}: where the drop-down of the notified button opens,
// in hWndTo's client coordinates, and the button's command.
std::array<int, 3> TBGETRECT(HWND hToolbar, const NMTOOLBARA* pNmToolbar, HWND hWndTo);
// Answers a tool tip's text request in the wide form: the text, converted
// from the ANSI code page, in the record's own buffer (at most 79
// characters).
void TTNSETTEXT(NMTTDISPINFOW* pDispInfo, const std::string& cText);
// The same answer to the ANSI form of the request.
void TTNSETTEXT(NMTTDISPINFOA* pDispInfo, const std::string& cText);

void SETREBARINFO(HWND hRebar);
// Appends a band holding the child window with the text; the child's size
// is the band's minimum size and its width the band's width.
void RBINSERTBAND(HWND hRebar, HWND hChild, const std::string& cText);

}  // namespace wl
