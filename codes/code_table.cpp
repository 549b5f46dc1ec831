#include "code_table.hpp"

#include <algorithm>

namespace zr {

namespace {

struct CodeTableRowLess {
    bool operator()(const std::pair<std::string_view, std::string_view>& row, std::string_view code) const {
        return row.first < code;
    }
};

}  // namespace

CodeTable::CodeTable(std::string_view tsv) {
    while (!tsv.empty()) {
        const std::size_t end = std::min(tsv.find('\n'), tsv.size());
        const std::string_view line = tsv.substr(0, end);
        tsv.remove_prefix(std::min(end + 1, tsv.size()));
        if (line.empty() || line.front() == '#') continue;
        const std::size_t tab = line.find('\t');
        // A row without a text still names its code: it reads "".
        if (tab == std::string_view::npos)
            rows_.emplace_back(line, std::string_view());
        else
            rows_.emplace_back(line.substr(0, tab), line.substr(tab + 1));
    }
    // The first row of a code wins, as a reader going down the file expects.
    std::stable_sort(rows_.begin(), rows_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    rows_.erase(std::unique(rows_.begin(), rows_.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                rows_.end());
}

const std::string_view* CodeTable::find(std::string_view code) const {
    if (code.empty()) return nullptr;
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), code, CodeTableRowLess());
    if (it == rows_.end() || it->first != code) return nullptr;
    return &it->second;
}

}  // namespace zr
