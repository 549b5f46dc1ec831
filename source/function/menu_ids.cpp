#include "menu_ids.hpp"
#include "process_state.hpp"

namespace wl {

unsigned MenuIdAllocator::allocate(const std::function<bool(unsigned)>& taken) {
    constexpr unsigned span = kLast - kFirst + 1;
    for (unsigned tries = 0; tries < span; ++tries) {
        unsigned id = next_;
        next_ = next_ == kLast ? kFirst : next_ + 1;
        if (live_.count(id) || (taken && taken(id))) continue;
        live_.insert(id);
        return id;
    }
    return 0;
}

void MenuIdAllocator::release(unsigned id) { live_.erase(id); }

MenuIdAllocator& menuIds() {
    return processState().menuIds.get<MenuIdAllocator>();
}

}  // namespace wl
