#include "message_screen.hpp"

namespace zr {

std::size_t CTL39409AA(const SegmentTable& table) {
    std::size_t n = 0;
    for (std::size_t r = 1; r < table.size(); ++r) n += table.id(r) == "MSG";
    return n;
}

std::string CTL39409AB(const SegmentTable& table, std::size_t n) {
    std::string text;
    for (std::size_t r = 1; r < table.size(); ++r)
        if (table.id(r) == "MSG" && table.claim(r).inSet == n) text = std::string(table.element(r, 1));
    return text;
}

std::string CTL39409AC(const SegmentTable& table) {
    std::string title;
    for (std::size_t r = 1; r < table.size(); ++r)
        if (table.id(r) == "MIT") title = std::string(table.element(r, 2));
    return title;
}

std::string messageTitleLine(const SegmentTable& table) { return std::string(6, ' ') + CTL39409AC(table); }

std::optional<std::string> messageOutput(int mode) {
    if ((mode >= 100 && mode <= 103) || mode == 109) return std::string();
    return std::nullopt;
}

}  // namespace zr
