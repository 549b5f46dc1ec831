#include "list_box_model.hpp"

#include <utility>

namespace wl {

namespace {
ListEffect select(ListState& s, int n) {
    s.sel = n >= 1 && n <= s.items.size() ? n : 0;
    return {ListEffect::Kind::Select, s.sel, {}};
}
}  // namespace

ListEffects listFill(const ListState& s) {
    ListEffects out{{ListEffect::Kind::Clear, 0, {}}};
    int n = 0;
    for (const std::string& text : s.items.items()) out.push_back({ListEffect::Kind::Append, ++n, text});
    return out;
}

ListEffects listSetItems(ListState& s, std::vector<std::string> items) {
    s.items = ItemList(std::move(items));
    s.sel = 0;
    return listFill(s);
}

ListEffects listReset(ListState& s) {
    s.items.clear();
    s.sel = 0;
    return {{ListEffect::Kind::Clear, 0, {}}};
}

ListEffects listSort(ListState& s) {
    s.items.sort();
    s.sel = 0;
    return listFill(s);
}

ListEffects listSetSel(ListState& s, int n) {
    select(s, n);
    // The window is asked for n as given: it judges a position it lacks.
    return {{ListEffect::Kind::Select, n, {}}};
}

ListEffects listAdd(ListState& s, const std::string& text, int pos0) {
    const int n = s.items.add(text, pos0);
    return {{ListEffect::Kind::Insert, n, text}, select(s, n)};
}

ListEffects listInsert(ListState& s, const std::string& text, int n) {
    const int at = s.items.insert(text, n);
    if (!at) return {};
    if (s.sel >= at) ++s.sel;  // the selected item moved down with the insert
    return {{ListEffect::Kind::Insert, at, text}};
}

ListEffects listModify(ListState& s, const std::string& text, int n) {
    if (!s.items.modify(text, n)) return {};
    return {{ListEffect::Kind::Delete, n, {}}, {ListEffect::Kind::Insert, n, text}, select(s, n)};
}

ListEffects listDel(ListState& s, int n) {
    if (n < 1 || n > s.items.size()) return {};
    const int next = s.items.del(n);
    ListEffects out{{ListEffect::Kind::Delete, n, {}}};
    if (next)
        out.push_back(select(s, next));
    else
        s.sel = 0;
    return out;
}

ListEffects listSwap(ListState& s, int delta) {
    const int moved = s.items.swap(s.sel, delta);
    if (!moved) return {};
    ListEffects out = listFill(s);
    out.push_back(select(s, moved));
    return out;
}

int listPositionOf(const ListState& s, const Value& v) {
    const int pos = v.isNumber() ? static_cast<int>(v.number()) : s.items.findExact(v.isText() ? v.text() : "");
    return pos < 1 || pos > s.items.size() ? 1 : pos;
}

}  // namespace wl
