// How a parent's notifications reach the child control that sent them.
// The parent decodes WM_COMMAND and WM_NOTIFY once, names the code, and
// hands it to the control: command codes travel as the library's messages
// (LM_CLICK, LM_CHANGE, LM_CLOSEUP) that a control turns into
// TControl::onCommand; notify headers go straight to TControl::onNotify.
// A control overrides those two hooks; it never compares raw codes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>

namespace wl {

// The library's private messages (WM_USER + 1024 on).
inline constexpr UINT LM_CLICK = 2048;
inline constexpr UINT LM_SCROLLUP = 2049;
inline constexpr UINT LM_SCROLLDOWN = 2050;
inline constexpr UINT LM_PAGEUP = 2051;
inline constexpr UINT LM_PAGEDOWN = 2052;
inline constexpr UINT LM_CHANGE = 2053;
inline constexpr UINT LM_COLORS = 2054;
inline constexpr UINT LM_LOSTFOCUS = 2057;
inline constexpr UINT LM_THUMBPOS = 2058;
inline constexpr UINT LM_THUMBTRACK = 2062;
inline constexpr UINT LM_DROPOVER = 2063;
inline constexpr UINT LM_CHANGEFOCUS = 2064;
inline constexpr UINT LM_ASYNCSELECT = 2065;
inline constexpr UINT LM_CLOSEUP = 2066;
inline constexpr UINT LM_TASKBAR = 2067;

// The WM_COMMAND codes a control is told of. The same numbers serve the
// button, static, list and combo box classes.
enum class ControlCommand : int {
    Clicked = BN_CLICKED,    // 0: a click, or Enter on a button
    Changed = LBN_SELCHANGE, // 1: the selection or contents changed
    ClosedUp = CBN_CLOSEUP,  // 8: a combo box's list closed
};

// The named command of a WM_COMMAND code, or none for codes the library
// leaves to the control's own class.
inline std::optional<ControlCommand> controlCommandOf(int code) {
    switch (code) {
    case BN_CLICKED: return ControlCommand::Clicked;
    case LBN_SELCHANGE: return ControlCommand::Changed;
    case CBN_CLOSEUP: return ControlCommand::ClosedUp;
    default: return std::nullopt;
    }
}

// The library message that carries a command to the control.
inline UINT commandMessage(ControlCommand c) {
    switch (c) {
    case ControlCommand::Clicked: return LM_CLICK;
    case ControlCommand::Changed: return LM_CHANGE;
    case ControlCommand::ClosedUp: return LM_CLOSEUP;
    }
    return LM_CLICK;
}

// The command a library message carries, or none.
inline std::optional<ControlCommand> commandOfMessage(UINT msg) {
    switch (msg) {
    case LM_CLICK: return ControlCommand::Clicked;
    case LM_CHANGE: return ControlCommand::Changed;
    case LM_CLOSEUP: return ControlCommand::ClosedUp;
    default: return std::nullopt;
    }
}

// Hands a command to the control window that sent it.
inline void reflectCommand(HWND control, ControlCommand c) { SendMessageA(control, commandMessage(c), 0, 0); }

// WM_NOTIFY codes the library acts on.
// A tab control's selection change as the older controls send it.
inline constexpr int kNotifyTabSelChange = 103;
inline constexpr int kNotifyTreeSelChanged = static_cast<int>(TVN_SELCHANGEDA);  // -402

// A notify code that means "the selection changed" (TWindow::SelChanged).
inline bool isSelectionChange(UINT code) {
    const auto c = static_cast<int>(code);
    return c == kNotifyTabSelChange || c == kNotifyTreeSelChanged;
}

}  // namespace wl
