// The small growable lists of the native layer: a list of fixed-size items
// and a list of handles in which 0 marks a free entry. Sizes and counts are
// whole sizes, so a list grows past 65,535 items and bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wl {

// Items of one size, counted from 1.
class NativeItemList {
public:
    // An item size of 0 means 2; the list starts with `initialCount` zeroed items.
    explicit NativeItemList(std::size_t itemSize = 0, std::size_t initialCount = 0);

    std::size_t itemSize() const { return itemSize_; }
    std::size_t growthStep() const { return step_; }
    std::size_t count() const { return count_; }
    std::size_t capacityBytes() const { return bytes_.size(); }

    // Sets the count, reallocating to whole growth steps; new space is zeroed.
    void setCount(std::size_t count);
    // Item n takes the first item-size bytes of `item` (zero-filled when
    // shorter); n of 0 or above the count changes nothing.
    bool setItem(std::size_t n, std::string_view item);
    // The bytes of item n; "" for n of 0 or above the count.
    std::string item(std::size_t n) const;
    // Adds an item at the end; answers its position.
    std::size_t append(std::string_view item);
    // The position of the first item from `start` (1-based) on, over at most
    // `maxItems` items (0: all), that `test` accepts; 0 when none does.
    std::size_t scan(const std::function<bool(std::string_view)>& test, std::size_t start = 1,
                     std::size_t maxItems = 0) const;

private:
    std::size_t itemSize_;
    std::size_t step_;
    std::size_t count_ = 0;
    std::vector<char> bytes_;
};

// Handles (or any non-zero values) in entries counted from 1.
class NativeHandleList {
public:
    static constexpr std::size_t kGrowth = 16;

    // The entry that holds the value: the existing one, else the first free
    // entry, growing the list by 16 free entries when none is free. A value
    // of 0 is never stored (answers 0).
    std::size_t add(std::uintptr_t value);
    // Frees the entry that holds the value; false when none does.
    bool remove(std::uintptr_t value);
    // The entry that holds the value, 0 when none does.
    std::size_t find(std::uintptr_t value) const;
    std::uintptr_t at(std::size_t entry) const;
    std::size_t size() const { return entries_.size(); }
    // Every value still held, in entry order.
    std::vector<std::uintptr_t> values() const;
    void clear() { entries_.clear(); }

private:
    std::vector<std::uintptr_t> entries_;
};

}  // namespace wl

namespace wl {
// The native layer's name for making an item list.
inline NativeItemList MemListNew(std::size_t itemSize, std::size_t initialCount = 0) {
    return NativeItemList(itemSize, initialCount);
}
}  // namespace wl
