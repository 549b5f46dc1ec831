#include "control_models.hpp"

#include <algorithm>
#include <cmath>

#include "text.hpp"

namespace wl {

int nextControlId(int last) { return last < 30000 ? last + 1 : 100; }

int pixelsToDialogUnits(int pixels, int units, int baseUnit) {
    if (baseUnit == 0) return 0;
    return static_cast<int>(static_cast<long long>(units) * pixels / baseUnit);
}

Value resetValue(const Value& current) {
    if (current.isLogical()) return Value(false);
    if (current.isNumber()) return Value(0);
    return Value(std::string());
}

Value selectionValue(const Value& current, int position, const std::string& text) {
    if (current.isNumber()) return Value(position);
    return Value(text);
}

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

std::string incrementalSearchText(const std::string& search, int key, bool caseSensitive) {
    if (key == 8) return search.empty() ? search : search.substr(0, search.size() - 1);
    if (key == 190) return search + ".";
    const char c = static_cast<char>(key);
    return search + (caseSensitive ? c : upperChar(c));
}

double meterValue(double value, double total) { return std::clamp(value, 0.0, std::max(total, 0.0)); }

int meterPercent(double value, double total) {
    if (total == 0) total = 1;
    const double p = value * 100.0 / total;
    if (!(p > 0)) return 0;  // also NaN
    return p >= 100 ? 100 : static_cast<int>(p);
}

int meterFillWidth(int width, int percent) {
    return static_cast<int>(static_cast<long long>(std::max(width, 0)) * std::clamp(percent, 0, 100) / 100);
}

std::string meterLabel(const std::string& text, bool percentage, int percent) {
    std::string label = text;
    // A single NUL is the meter's "no text".
    if (label.size() == 1 && label[0] == '\0') label.clear();
    if (!label.empty()) label += ' ';
    if (percentage) label += rightAligned(std::clamp(percent, 0, 100), 3) + "%";
    return label;
}

bool meterRepaints(double value, double total) { return total != 0 && value / total * 100.0 >= 1.0; }

}  // namespace wl
