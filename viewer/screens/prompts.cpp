#include "prompts.hpp"

#include <cstdint>

#include "segment_lines.hpp"

namespace zr {

namespace {

// The one layout of both prompts: an edit field and a button that closes.
// The field writes the value as it is typed, so the edited value is
// returned however the dialog is closed.
wl::Value prompt(const std::string& caption, const std::string& button, const wl::Value& offered,
                 const ViewerUi& ui) {
    ViewerDialog d(caption, 426.67 - 1, 120 - 1);
    wl::Value answer = offered;
    d.edit(16, 9, 192, 10.8, wl::bindTo(answer));
    d.button(40, 144, 40, 10.8, button, [&] { d.close(); });
    d.run(ui, [&] { return ShownDialog{"", nullptr, {wl::CVALTOCHAR(offered)}, 1}; });
    return answer;
}

}  // namespace

std::string CTL394SEEK(const std::string& text, const ViewerUi& ui) {
    return wl::CVALTOCHAR(prompt("Search", "Find", wl::Value(seekPromptText(text)), ui));
}

long long CTL394GOTO(long long number, const ViewerUi& ui) {
    const wl::Value edited = prompt("Go To Segement", "Go To", wl::Value(static_cast<std::int64_t>(number)), ui);
    return static_cast<long long>(edited.number());
}

}  // namespace zr
