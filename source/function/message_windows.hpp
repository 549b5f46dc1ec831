// Small message and wait windows: a wait window that runs an action, the
// button choice ALERT and the list choice MSGLIST. Like the message boxes,
// they go to the prompt hook when one is set; otherwise to the platform's
// windows (the terminal in the native build).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "value.hpp"

namespace wl {

using WaitAction = std::function<Value()>;

// Shows cText (default "Please, wait...") centred in a small window,
// caption-less without a title; once it has been painted runs the action
// (default: wait one second), closes and answers the action's value.
Value MSGRUN(std::optional<std::string> text = std::nullopt, std::optional<std::string> title = std::nullopt,
             WaitAction action = {});
// The wait window shown for nSeconds (default 4).
void MSGWAIT(std::optional<std::string> text = std::nullopt, std::optional<std::string> title = std::nullopt,
             double seconds = 4);
// Waits n seconds by the clock.
void WAITSECONDS(double seconds = 1);
// Drains pending window messages until the condition is true.
void STOPUNTIL(const std::function<bool()>& condition);

// A dialog titled `title` (default "Attention") with the message (default
// "Alert dialog box"), an icon (an icon file, resource name or system icon
// number; the question mark 32515 by default) and one button per prompt
// (default "&OK"); the focus starts on button nDefault. Answers the
// position of the pressed button, or 0.
int ALERT(std::optional<std::string> message = std::nullopt, std::vector<std::string> buttons = {},
          std::optional<std::string> title = std::nullopt, int nDefault = 1, std::optional<Value> icon = std::nullopt);

struct MsgListOptions {
    int rows = 13;
    double cols = 59.5;
    std::string ok = "&OK";
    int start = 1;        // the item selected first
    bool cancel = false;  // offers the cancel button
    std::string cancelText = "&CANCEL";
};
// A resizable list dialog (default title "Array list"); OK or a double
// click answers the selected position, cancel 0.
int MSGLIST(const std::vector<std::string>& items, std::optional<std::string> title = std::nullopt,
            const MsgListOptions& options = {});

// The platform halves (no hook involved).
struct AlertRequest {
    std::string message;
    std::vector<std::string> buttons;
    std::string title;
    int defaultButton = 1;
    std::optional<Value> icon;
};
int platformAlert(const AlertRequest& request);
int platformList(const std::vector<std::string>& items, const std::string& title, const MsgListOptions& options);
Value platformWaitWindow(const std::string& text, const std::optional<std::string>& title, const WaitAction& action);
// Runs every pending window message (nothing where there are no windows).
void platformDrainMessages();

}  // namespace wl
