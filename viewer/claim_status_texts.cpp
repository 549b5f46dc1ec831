#include "claim_status_texts.hpp"

#include <iterator>

namespace zr {

namespace {

struct CodeText {
    std::string_view code, text;
};

constexpr CodeText kCategories[] = {
#include "data/claim_status_categories.inc"
};

constexpr CodeText kStatusCodes[] = {
#include "data/claim_status_codes.inc"
};

template <std::size_t N>
const CodeText* findCode(const CodeText (&table)[N], std::string_view code) {
    for (const CodeText& row : table)
        if (row.code == code) return &row;
    return nullptr;
}

}  // namespace

std::string CTL39410E(std::string_view category) {
    if (const CodeText* row = findCode(kCategories, category)) return std::string(row->text);
    return std::string(category) + " Industry Code Not Found";
}

std::string CTL39410H(std::string_view status) {
    if (const CodeText* row = findCode(kStatusCodes, status)) return std::string(row->text);
    return std::string(status) + " F2 Industry Status Code Not Found";
}

std::size_t claimStatusCategoryCount() { return std::size(kCategories); }
std::size_t claimStatusCodeCount() { return std::size(kStatusCodes); }

}  // namespace zr
