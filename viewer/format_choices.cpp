#include "format_choices.hpp"

namespace zr {

FormatQuestion formatQuestion(int kind) {
    const std::optional<std::string> cancel = std::string();
    switch (kind) {
    case 1:
        return {{{"Text", "A", 10}, {"HTML", "B", 30}, {"RTF", "C", 50}, {"PDF", "D", 70}, {"Cancel", cancel, 90}},
                180, 260};
    case 2: return {{{"CSV", "A", 10}, {"XML", "B", 30}, {"Cancel", cancel, 50}}, 180, 180};
    case 3: return {{{"Print", "A", 10}, {"Form Control", std::nullopt, 30}, {"Cancel", cancel, 70}}, 180, 180};
    case 4: return {{{"BMP", "A", 10}, {"JPG", "B", 30}, {"TIF", "C", 50}, {"Cancel", cancel, 70}}, 180, 180};
    default: return {{{"Cancel", cancel, 10}}, 180, 180};
    }
}

}  // namespace zr
