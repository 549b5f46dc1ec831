// Texts of the claim status codes a 277 carries in its STC segments.
#pragma once

#include <string>
#include <string_view>

namespace zr {

// CTL39410E: the text of a claim status category (STC01-1), exact match;
// any other code reads the code and " Industry Code Not Found".
std::string CTL39410E(std::string_view category);

// CTL39410H: the text of a claim status code (STC01-2), exact match; any
// other code reads the code and " F2 Industry Status Code Not Found".
std::string CTL39410H(std::string_view status);

// The number of codes of each table.
std::size_t claimStatusCategoryCount();
std::size_t claimStatusCodeCount();

}  // namespace zr
