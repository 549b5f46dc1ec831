// The texts of a list or combo box as the model keeps them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wl {

// The texts of a list or combo box, 1-based as the controls count them.
class ItemList {
public:
    ItemList() = default;
    explicit ItemList(std::vector<std::string> items) : items_(std::move(items)) {}

    const std::vector<std::string>& items() const { return items_; }
    int size() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    // The text of item n, "" outside 1..size().
    std::string at(int n) const;

    // Appends at position 0-based `pos` (or at the end when pos is past it);
    // answers the new item's 1-based position.
    int add(const std::string& text, int pos0);
    // Inserts before 1-based n; answers n, or 0 when n is outside the list.
    int insert(const std::string& text, int n);
    // Replaces item n; false outside the list.
    bool modify(const std::string& text, int n);
    // Removes item n; answers the position to select afterwards (the item now
    // at n, or the new last one; 0 when the list became empty or n was out).
    int del(int n);
    // Exchanges items n and n + delta (delta +1 or -1); answers the moved
    // item's new position, or 0 when it cannot move.
    int swap(int n, int delta);
    void clear() { items_.clear(); }
    void sort();

    // The first item whose trimmed text equals the trimmed text, case
    // ignored; 0 for none.
    int findExact(std::string_view text) const;
    // The first item after 1-based `start` that begins with the text (case
    // ignored unless caseSensitive); 0 for none or an empty text.
    int findPrefix(std::string_view text, int start = 0, bool caseSensitive = false) const;

private:
    std::vector<std::string> items_;
};

}  // namespace wl
