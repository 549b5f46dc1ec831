#include "help_keys.hpp"

#include "library_messages.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

struct HelpState {
    std::string file;
    std::string topic;
    int topicNumber = 0;
    HHOOK hook = nullptr;
};

HelpState& help() {
    return processState().helpKeys.get<HelpState>();
}

LRESULT CALLBACK menuKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU && lParam) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1) PostMessageA(GetActiveWindow(), LM_HELPF1, 0, 0);
    }
    return CallNextHookEx(help().hook, code, wParam, lParam);
}

}  // namespace

std::string GETHELPFILE() { return help().file; }
std::string GETHELPTOPIC() { return help().topic; }
int helpTopicNumber() { return help().topicNumber; }

void SETHELPTOPIC(const std::string& cTopic) {
    help().topic = cTopic.substr(0, 99);
    help().topicNumber = 0;
}

void SETHELPTOPIC(int nTopic) {
    help().topic.clear();
    help().topicNumber = nTopic;
}

void SETHELPTOPIC() {
    help().topic.clear();
    help().topicNumber = 0;
}

void SETHELPFILE(const std::string& cFile) {
    help().file = cFile;
    if (!help().hook)
        help().hook = SetWindowsHookExA(WH_MSGFILTER, menuKeyFilter, GetModuleHandleA(nullptr), GetCurrentThreadId());
}

void SETHELPFILE2(const std::string& cFile) { SETHELPFILE(cFile); }

void removeHelpKeyHook() {
    if (help().hook) UnhookWindowsHookEx(help().hook);
    help().hook = nullptr;
}

bool helpKeyHookInstalled() { return help().hook != nullptr; }

void HELPSETWINPOS(int nX, int nY, int nWidth, int nHeight, int nShow) {
    if (help().file.empty()) return;
    HELPWININFOA info{};
    info.wStructSize = sizeof info;
    info.x = nX;
    info.y = nY;
    info.dx = nWidth;
    info.dy = nHeight;
    info.wMax = nShow;
    WinHelpA(GetActiveWindow(), help().file.c_str(), HELP_SETWINPOS, reinterpret_cast<ULONG_PTR>(&info));
}

HANDLE HELPCTRLHWND(LPARAM pHelpInfo) {
    return pHelpInfo ? reinterpret_cast<const HELPINFO*>(pHelpInfo)->hItemHandle : nullptr;
}

}  // namespace wl
