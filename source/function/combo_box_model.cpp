#include "combo_box_model.hpp"

#include "text.hpp"

namespace wl {

std::string incrementalSearchText(const std::string& search, int key, bool caseSensitive) {
    if (key == 8) return search.empty() ? search : search.substr(0, search.size() - 1);
    if (key == 190) return search + ".";
    const char c = static_cast<char>(key);
    return search + (caseSensitive ? c : upperChar(c));
}

}  // namespace wl
