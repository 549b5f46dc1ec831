// The "Select Format" question: which buttons each kind of question offers,
// the letter each answers (the FormatChoice) and where they stand.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zr {

struct FormatButton {
    std::string caption;
    // The letter the button answers and closes with ("" for "Cancel");
    // none for "Form Control", which opens the form alignment and stays.
    std::optional<std::string> letter;
    double row;  // design pixels, at column 10, 60 x 12
};

struct FormatQuestion {
    std::vector<FormatButton> buttons;  // top to bottom
    double width, height;               // the dialog's design size
};

// Kind 1 report format (Text A, HTML B, RTF C, PDF D), 2 data format (CSV A,
// XML B), 3 print (Print A, Form Control), 4 image format (BMP A, JPG B, TIF
// C); each ends with "Cancel". A kind outside these offers "Cancel" alone.
FormatQuestion formatQuestion(int kind);

}  // namespace zr
