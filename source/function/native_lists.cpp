#include "native_lists.hpp"

#include <algorithm>
#include <cstring>

namespace wl {

namespace {
std::size_t growthStepFor(std::size_t size) {
    std::size_t step = size <= 32 ? 128 / size : size <= 128 ? 512 / size : 0;
    return std::max<std::size_t>(step, 2);
}
}  // namespace

NativeItemList::NativeItemList(std::size_t itemSize, std::size_t initialCount)
    : itemSize_(itemSize == 0 ? 2 : itemSize), step_(growthStepFor(itemSize_)), count_(initialCount) {
    bytes_.assign(std::max(itemSize_ * step_, itemSize_ * initialCount), '\0');
}

void NativeItemList::setCount(std::size_t count) {
    bytes_.resize(itemSize_ * (count + count % step_), '\0');
    count_ = count;
}

bool NativeItemList::setItem(std::size_t n, std::string_view item) {
    if (n == 0 || n > count_) return false;
    char* at = bytes_.data() + (n - 1) * itemSize_;
    std::size_t len = std::min(item.size(), itemSize_);
    std::memcpy(at, item.data(), len);
    std::memset(at + len, 0, itemSize_ - len);
    return true;
}

std::string NativeItemList::item(std::size_t n) const {
    if (n == 0 || n > count_) return "";
    return std::string(bytes_.data() + (n - 1) * itemSize_, itemSize_);
}

std::size_t NativeItemList::append(std::string_view item) {
    setCount(count_ + 1);
    setItem(count_, item);
    return count_;
}

std::size_t NativeItemList::scan(const std::function<bool(std::string_view)>& test, std::size_t start,
                                 std::size_t maxItems) const {
    if (start == 0) start = 1;
    std::size_t end = count_;
    if (maxItems != 0 && start - 1 + maxItems < end) end = start - 1 + maxItems;
    for (std::size_t n = start; n <= end; ++n)
        if (test(std::string_view(bytes_.data() + (n - 1) * itemSize_, itemSize_))) return n;
    return 0;
}

std::size_t NativeHandleList::add(std::uintptr_t value) {
    if (value == 0) return 0;
    if (std::size_t entry = find(value)) return entry;
    auto free = std::find(entries_.begin(), entries_.end(), std::uintptr_t{0});
    if (free == entries_.end()) {
        std::size_t old = entries_.size();
        entries_.resize(old + kGrowth, 0);
        free = entries_.begin() + static_cast<std::ptrdiff_t>(old);
    }
    *free = value;
    return static_cast<std::size_t>(free - entries_.begin()) + 1;
}

bool NativeHandleList::remove(std::uintptr_t value) {
    std::size_t entry = find(value);
    if (entry == 0) return false;
    entries_[entry - 1] = 0;
    return true;
}

std::size_t NativeHandleList::find(std::uintptr_t value) const {
    if (value == 0) return 0;
    auto it = std::find(entries_.begin(), entries_.end(), value);
    return it == entries_.end() ? 0 : static_cast<std::size_t>(it - entries_.begin()) + 1;
}

std::uintptr_t NativeHandleList::at(std::size_t entry) const {
    return entry == 0 || entry > entries_.size() ? 0 : entries_[entry - 1];
}

std::vector<std::uintptr_t> NativeHandleList::values() const {
    std::vector<std::uintptr_t> out;
    for (auto v : entries_)
        if (v != 0) out.push_back(v);
    return out;
}

}  // namespace wl
