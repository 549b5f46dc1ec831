#include "combo_box_model.hpp"

#include "text.hpp"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace wl {

std::string incrementalSearchText(const std::string& search, int key, bool caseSensitive) {
    if (key == 8) return search.empty() ? search : search.substr(0, search.size() - 1);
    if (key == 190) return search + ".";
    const char c = static_cast<char>(key);
    return search + (caseSensitive ? c : upperChar(c));
}

bool comboCompletes(int key) {
    if (key == 8) return true;
    if (key < 32 || key > 255) return false;
    return std::isalnum(key) != 0 || std::string_view("+-/=?$*&%() ").find(static_cast<char>(key)) != std::string_view::npos;
}

ComboCompletion comboComplete(const ItemList& items, const std::string& text, int caret0, int key) {
    if (!comboCompletes(key)) return {};
    std::string prefix = text.substr(0, static_cast<std::size_t>(std::clamp(caret0, 0, static_cast<int>(text.size()))));
    if (key == 8) {
        if (!prefix.empty()) prefix.pop_back();
    } else {
        prefix += static_cast<char>(key);
    }
    if (prefix.empty()) return {ComboCompletion::Kind::Clear, {}, 0};
    const int found = items.findPrefix(prefix);
    if (found == 0) return {};
    return {ComboCompletion::Kind::Fill, items.at(found), static_cast<int>(prefix.size())};
}

}  // namespace wl
