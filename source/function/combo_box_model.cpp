#include "combo_box_model.hpp"

#include "text.hpp"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace wl {

namespace {
ComboEffect comboSelectEffect(ComboState& s, int n) {
    s.sel = n >= 1 && n <= s.items.size() ? n : 0;
    return {ComboEffect::Kind::Select, s.sel, {}};
}
}  // namespace

ComboEffects comboFill(const ComboState& s) {
    ComboEffects out{{ComboEffect::Kind::Clear, 0, {}}};
    int n = 0;
    for (const std::string& text : s.items.items()) out.push_back({ComboEffect::Kind::Append, ++n, text});
    out.push_back({ComboEffect::Kind::Select, s.sel, {}});
    return out;
}

ComboEffects comboSetItems(ComboState& s, std::vector<std::string> items) {
    s.items = ItemList(std::move(items));
    s.sel = 0;
    return comboFill(s);
}

ComboEffects comboReset(ComboState& s) {
    s.items.clear();
    s.sel = 0;
    return {{ComboEffect::Kind::Clear, 0, {}}};
}

ComboEffects comboSelect(ComboState& s, int n) { return {comboSelectEffect(s, n)}; }

ComboEffects comboShow(ComboState& s, const Value& v) {
    if (v.isNumber()) return {comboSelectEffect(s, std::max(static_cast<int>(v.number()), 1))};
    const std::string text = v.isText() ? v.text() : std::string();
    const int n = s.items.findExact(text);
    ComboEffects out{comboSelectEffect(s, n)};
    if (!n) out.push_back({ComboEffect::Kind::Text, 0, text});
    return out;
}

ComboEffects comboAdd(ComboState& s, const std::string& text, int pos) {
    if (pos == 0) {
        const int n = s.items.add(text, s.items.size());
        return {{ComboEffect::Kind::Append, n, text}};
    }
    const int at = s.items.insert(text, pos);
    if (!at) return {};
    if (s.sel >= at) ++s.sel;  // the selected item moved down with the insert
    return {{ComboEffect::Kind::Insert, at, text}};
}

ComboEffects comboModify(ComboState& s, const std::string& text, int pos) {
    if (!s.items.modify(text, pos)) return {};
    ComboEffects out{{ComboEffect::Kind::Delete, pos, {}}, {ComboEffect::Kind::Insert, pos, text}};
    // Deleting the selected item cleared the window's selection.
    if (s.sel == pos) out.push_back({ComboEffect::Kind::Select, pos, {}});
    return out;
}

ComboEffects comboDel(ComboState& s, int pos) {
    if (pos < 1 || pos > s.items.size()) return {};
    s.items.del(pos);
    if (s.sel == pos)
        s.sel = 0;
    else if (s.sel > pos)
        --s.sel;
    return {{ComboEffect::Kind::Delete, pos, {}}};
}

ComboEffects comboCommit(ComboState& s, const std::string& text) {
    return {comboSelectEffect(s, s.items.findPrefix(text)), {ComboEffect::Kind::Text, 0, text}};
}

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
