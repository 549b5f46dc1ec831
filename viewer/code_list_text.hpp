// Words for a code from one code list of the built-in X12 code-list
// dictionary (ZRX12), as the field getters show them: the one place that
// searches the dictionary's lists.
#pragma once

#include <string>
#include <string_view>

namespace zr {

// The description of `code` in the list of (transaction slot, segment slot,
// element, component) by exact match; "" for an empty code or one the list
// does not hold.
std::string codeListText(int transaction, int segment, int element, int component, std::string_view code);

}  // namespace zr
