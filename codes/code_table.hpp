// A fixed table of codes and their texts, read from the tab-separated text
// that the build embeds (codes/data/*.tsv): one "code<TAB>text" row a line;
// blank lines and lines beginning with "#" are the table's own notes.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace zr {

class CodeTable {
public:
    // The views point into `tsv`, which must outlive the table (the
    // embedded tables are string literals).
    explicit CodeTable(std::string_view tsv);

    // The text of the row whose code is exactly `code`; nullptr when no row
    // has it ("19" never finds the row of "1", "" finds nothing).
    const std::string_view* find(std::string_view code) const;
    std::size_t size() const { return rows_.size(); }

private:
    std::vector<std::pair<std::string_view, std::string_view>> rows_;  // sorted by code
};

}  // namespace zr
