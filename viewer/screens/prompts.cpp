#include "prompts.hpp"

#include <cstdlib>

#include "segment_lines.hpp"

namespace zr {

namespace {

// The one layout of both prompts: an edit field and a button that closes.
std::string prompt(const std::string& caption, const std::string& button, const std::string& offered,
                   const ViewerUi& ui) {
    ViewerDialog d(caption, 426.67 - 1, 120 - 1);
    EditField& field = d.edit(16, 9, 192, 10.8, offered);
    std::string answer = offered;
    d.button(40, 144, 40, 10.8, button, [&] { d.close(); });
    // Whatever closes the dialog, the text is taken before the field goes.
    d.onClose([&] { answer = field.text(); });
    d.run(ui, [&] { return ShownDialog{"", nullptr, {offered}, 1}; });
    return answer;
}

}  // namespace

std::string CTL394SEEK(const std::string& text, const ViewerUi& ui) {
    return prompt("Search", "Find", seekPromptText(text), ui);
}

long long CTL394GOTO(long long number, const ViewerUi& ui) {
    return std::atoll(prompt("Go To Segement", "Go To", std::to_string(number), ui).c_str());
}

}  // namespace zr
