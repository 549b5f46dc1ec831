// The saved layout of a grid browse (its SaveState text): "XS1:" and a
// literal list of {"_name", value} pairs for the column order, row height,
// widths, hidden flags, group headers, headers and any extra names the
// caller gives. Restoring parses that literal grammar (numbers, quoted
// texts, .T./.F., nested {...} lists) and accepts only the known names: a
// stored layout is data, never code. The older text form (row height, then
// "creation:width:header:H:group" entries separated by ";") is read too.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "value.hpp"

namespace wl {

struct BrowseLayout {
    std::vector<int> nCreationOrders;
    std::optional<int> nRowHeight;
    std::vector<int> nWidths;
    std::vector<bool> lHides;
    std::vector<std::string> cGrpHdrs;
    std::vector<std::string> cHeaders;
    // Values of the extra names, in the order given to SaveState.
    std::vector<std::pair<std::string, Value>> extra;
};

std::string browseSaveState(const BrowseLayout& layout);

// The layout a saved text holds, or nothing when the text is malformed,
// names anything unknown (extra names must be listed in `extraNames`), or
// is the serialised "XSS:" form, which is not read. The older form must
// name each of `columns` columns by a valid creation number.
std::optional<BrowseLayout> browseRestoreState(std::string_view text, int columns,
                                               const std::vector<std::string>& extraNames = {});

// A literal value in the layout's grammar, and its reader (nothing on any
// fault, nesting included).
std::string browseLiteral(const Value& v);
std::optional<Value> browseParseLiteral(std::string_view text);

}  // namespace wl
