// A list of objects whose item numbers stay valid: a removed object leaves
// a free slot (the list never shrinks) and the next entry takes the first
// free slot. Item numbers are 1-based; 0 means "not entered".
#pragma once

#include <cstddef>
#include <vector>

namespace wl {

template <class T>
class SlotRegistry {
public:
    // Puts the object in the first free slot, or appends it.
    std::size_t link(T* object) {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i] == nullptr) {
                items_[i] = object;
                return i + 1;
            }
        items_.push_back(object);
        return items_.size();
    }
    // Frees the slot of the object; answers its item number (0 when absent).
    std::size_t unlink(const T* object) {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i] == object) {
                items_[i] = nullptr;
                return i + 1;
            }
        return 0;
    }
    T* at(std::size_t n) const { return n >= 1 && n <= items_.size() ? items_[n - 1] : nullptr; }
    std::size_t size() const { return items_.size(); }
    const std::vector<T*>& items() const { return items_; }
    template <class Pred>
    T* find(Pred pred) const {
        for (T* o : items_)
            if (o && pred(*o)) return o;
        return nullptr;
    }

private:
    std::vector<T*> items_;
};

}  // namespace wl
