#include "format_picker.hpp"

#include "format_choices.hpp"

namespace zr {

std::string CTLD39417(int kind, const std::string& value, const FormControl& formControl, const ViewerUi& ui) {
    const FormatQuestion question = formatQuestion(kind);
    std::string choice;
    ViewerDialog d("Select Format", question.width, question.height);
    std::vector<std::string> captions;
    for (const FormatButton& b : question.buttons) {
        captions.push_back(b.caption);
        if (b.letter) {
            d.button(b.row, 10, 60, 12, b.caption, [&d, &choice, letter = *b.letter] {
                choice = letter;
                d.close();
            });
        } else {
            wl::TButton& form = d.button(b.row, 10, 60, 12, b.caption, [&] { formControl(value); });
            // The form alignment comes from the caller; none, nothing to open.
            if (!formControl) form.bWhen = [] { return false; };
        }
    }
    d.run(ui, [&] { return ShownDialog{"", nullptr, captions, 1}; });
    return choice;
}

}  // namespace zr
