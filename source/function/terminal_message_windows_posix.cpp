// The native build's wait, choice and list windows on the terminal: the text
// on stderr, a choice read as a number on stdin (end of input chooses none).
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "message_windows.hpp"
#include "text.hpp"

namespace wl {

namespace {
int readPosition(int count) {
    std::fprintf(stderr, "[1-%d] ", count);
    std::fflush(stderr);
    std::string line;
    if (!std::getline(std::cin, line)) return 0;
    const int n = std::atoi(alltrim(line).c_str());
    return n >= 1 && n <= count ? n : 0;
}
}  // namespace

Value platformWaitWindow(const std::string& text, const std::optional<std::string>&, const WaitAction& action) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return action();
}

int platformAlert(const AlertRequest& r) {
    std::fprintf(stderr, "[%s] %s\n", r.title.c_str(), r.message.c_str());
    for (std::size_t i = 0; i < r.buttons.size(); ++i)
        std::fprintf(stderr, "  %zu. %s\n", i + 1, r.buttons[i].c_str());
    return readPosition(static_cast<int>(r.buttons.size()));
}

int platformList(const std::vector<std::string>& items, const std::string& title, const MsgListOptions&) {
    std::fprintf(stderr, "[%s]\n", title.c_str());
    for (std::size_t i = 0; i < items.size(); ++i) std::fprintf(stderr, "  %zu. %s\n", i + 1, items[i].c_str());
    return readPosition(static_cast<int>(items.size()));
}

void platformDrainMessages() {}

}  // namespace wl
