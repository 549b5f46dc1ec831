// The stack of open modal dialogs: 50 slots, each with the dialog's window
// handle (0 until its first message) and its object. The top index starts at
// 50 (empty) and moves down by one per open dialog, so slot 49 holds the
// outermost dialog. Nested modal dialogs end last-in first-out.
#pragma once

#include <array>
#include <cstdint>

namespace wl {

template <class Object>
class ModalStack {
public:
    static constexpr int kSlots = 50;

    // Takes a slot for a dialog about to run; false when all slots are taken
    // (that dialog then runs without one).
    bool push(Object* object) {
        if (top_ == 0) return false;
        --top_;
        slots_[top_] = {0, object};
        return true;
    }
    // Gives back the top slot; only a dialog whose push succeeded pops.
    void pop() {
        if (top_ >= kSlots) return;
        slots_[top_] = {};
        ++top_;
    }
    // The object of the dialog with this window, searching from the top
    // slot outwards. A window not found is bound to the top slot when that
    // slot has an object and no window yet: a new dialog's first message.
    Object* find(std::uintptr_t window) {
        for (int i = top_; i < kSlots; ++i)
            if (slots_[i].window == window && window != 0) return slots_[i].object;
        if (top_ < kSlots && slots_[top_].object && slots_[top_].window == 0) {
            slots_[top_].window = window;
            return slots_[top_].object;
        }
        return nullptr;
    }
    int top() const { return top_; }
    std::uintptr_t windowAt(int slot) const { return slots_[slot].window; }
    Object* objectAt(int slot) const { return slots_[slot].object; }

private:
    struct Slot {
        std::uintptr_t window = 0;
        Object* object = nullptr;
    };
    std::array<Slot, kSlots> slots_{};
    int top_ = kSlots;
};

}  // namespace wl
