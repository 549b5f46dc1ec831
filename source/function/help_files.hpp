// The checks and texts of the help functions that need no help engine:
// whether a help file is usable, and the numbered topics of a pop-up text
// file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wl {

// A name holding ".chm" is HTML Help; anything else classic Windows Help.
bool isHtmlHelpFile(std::string_view file);

// False, with a message titled "Attention", when no help file is given or
// the file does not exist.
bool ISHELPFILE(const std::string& file);

// The pop-up text file of HTML Help and where its pop-ups show.
struct HelpPopupSettings {
    std::string file;  // "" until SETHELPPOPUP
    int row = 20;
    int col = 10;
    long long clrFore = -1;
    long long clrBack = -1;
};
const HelpPopupSettings& helpPopupSettings();
void SETHELPPOPUP(std::string file = "popups.txt", int row = 20, int col = 10, long long clrFore = -1,
                  long long clrBack = -1);

// The text of topic n in a pop-up file's content: after the line ".Topic n"
// (or ".topic n") and its CR LF, up to the next CR LF; nullopt when absent.
std::optional<std::string> helpPopupText(std::string_view content, long long topic);

// The pop-up text of a topic from the pop-up file; without a file set or
// readable, the message "No Help popup file defined" or "No Help popup file
// available" instead (shown, and nullopt answered).
std::optional<std::string> helpPopupTopicText(long long topic);

}  // namespace wl
