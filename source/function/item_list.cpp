#include "item_list.hpp"

#include <algorithm>

#include "text.hpp"

namespace wl {

std::string ItemList::at(int n) const {
    if (n < 1 || n > size()) return {};
    return items_[static_cast<std::size_t>(n - 1)];
}

int ItemList::add(const std::string& text, int pos0) {
    if (pos0 < 0 || pos0 >= size()) {
        items_.push_back(text);
        return size();
    }
    items_.insert(items_.begin() + pos0, text);
    return pos0 + 1;
}

int ItemList::insert(const std::string& text, int n) {
    if (n < 1 || n > size()) return 0;
    items_.insert(items_.begin() + (n - 1), text);
    return n;
}

bool ItemList::modify(const std::string& text, int n) {
    if (n < 1 || n > size()) return false;
    items_[static_cast<std::size_t>(n - 1)] = text;
    return true;
}

int ItemList::del(int n) {
    if (n < 1 || n > size()) return 0;
    items_.erase(items_.begin() + (n - 1));
    return std::min(n, size());
}

int ItemList::swap(int n, int delta) {
    const int other = n + delta;
    if (n < 1 || n > size() || other < 1 || other > size()) return 0;
    std::swap(items_[static_cast<std::size_t>(n - 1)], items_[static_cast<std::size_t>(other - 1)]);
    return other;
}

void ItemList::sort() { std::sort(items_.begin(), items_.end()); }

int ItemList::findExact(std::string_view text) const {
    const std::string wanted = upper(alltrim(text));
    for (int i = 0; i < size(); ++i)
        if (upper(alltrim(items_[static_cast<std::size_t>(i)])) == wanted) return i + 1;
    return 0;
}

int ItemList::findPrefix(std::string_view text, int start, bool caseSensitive) const {
    if (text.empty()) return 0;
    const std::string wanted = caseSensitive ? std::string(text) : upper(text);
    for (int i = std::max(start, 0); i < size(); ++i) {
        const std::string& item = items_[static_cast<std::size_t>(i)];
        if (prefixMatch(caseSensitive ? item : upper(item), wanted)) return i + 1;
    }
    return 0;
}

}  // namespace wl
