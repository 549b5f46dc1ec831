#include "message_windows.hpp"

#include <chrono>
#include <thread>

#include "messages.hpp"

namespace wl {

Value MSGRUN(std::optional<std::string> text, std::optional<std::string> title, WaitAction action) {
    if (!action) action = [] {
        WAITSECONDS(1);
        return Value();
    };
    Prompt p;
    p.kind = PromptKind::Wait;
    p.function = "MSGRUN";
    p.text = text.value_or("Please, wait...");
    p.caption = title.value_or("");
    PromptAnswer ignored;
    // The hook sees the window's text; the action runs all the same.
    if (hookAnswer(p, ignored)) return action();
    return platformWaitWindow(p.text, title, action);
}

void MSGWAIT(std::optional<std::string> text, std::optional<std::string> title, double seconds) {
    MSGRUN(std::move(text), std::move(title), [seconds] {
        WAITSECONDS(seconds);
        return Value();
    });
}

void WAITSECONDS(double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void STOPUNTIL(const std::function<bool()>& condition) {
    while (!condition()) {
        platformDrainMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int ALERT(std::optional<std::string> message, std::vector<std::string> buttons, std::optional<std::string> title,
          int nDefault, std::optional<Value> icon) {
    AlertRequest r;
    r.message = message.value_or("Alert dialog box");
    r.buttons = buttons.empty() ? std::vector<std::string>{"&OK"} : std::move(buttons);
    r.title = title.value_or("Attention");
    r.defaultButton = nDefault;
    r.icon = std::move(icon);
    Prompt p;
    p.kind = PromptKind::Choice;
    p.function = "ALERT";
    p.text = r.message;
    p.caption = r.title;
    p.options = r.buttons;
    PromptAnswer answer;
    if (hookAnswer(p, answer)) return answer.choice;
    return platformAlert(r);
}

int MSGLIST(const std::vector<std::string>& items, std::optional<std::string> title, const MsgListOptions& options) {
    Prompt p;
    p.kind = PromptKind::List;
    p.function = "MSGLIST";
    p.caption = title.value_or("Array list");
    p.options = items;
    PromptAnswer answer;
    if (hookAnswer(p, answer)) return answer.choice;
    return platformList(items, p.caption, options);
}

}  // namespace wl
