#include "multiget_model.hpp"

#include <algorithm>

namespace wl {

int multiGetGoToLine(int enteredRow) { return std::max(enteredRow, 1) - 1; }

CharRange multiGetLineRange(int lineStart, int nextStart, int textLength) {
    const int start = std::clamp(lineStart, 0, textLength);
    const int end = nextStart < 0 ? textLength : std::clamp(nextStart, start, textLength);
    return {start, end};
}

std::string multiGetLineText(const std::string& line) {
    std::string out = line.substr(0, line.find_first_of("\r\n"));
    if (out.size() > static_cast<std::size_t>(kMultiGetLineLimit)) out.resize(kMultiGetLineLimit);
    return out;
}

std::vector<std::vector<PrintedLine>> multiGetPrintPages(int lineCount, int vertRes) {
    const int height = vertRes / kMultiGetPrintLines;
    std::vector<std::vector<PrintedLine>> pages;
    for (int line = 1; line <= lineCount; ++line) {
        const int onPage = (line - 1) % kMultiGetPrintLines;
        if (onPage == 0) pages.emplace_back();
        pages.back().push_back({line, onPage * height});
    }
    return pages;
}

}  // namespace wl
