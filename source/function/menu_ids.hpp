// Command ids for menu items. Ids are handed out from 20000 upwards and never
// given back while an item holds them: an ended item's id is only freed, and
// the counter moves on, wrapping within the command range and skipping ids
// still in use, so a live item's id is never given to a second item.
#pragma once

#include <functional>
#include <set>

namespace wl {

class MenuIdAllocator {
public:
    static constexpr unsigned kFirst = 20000;
    // Below the system commands (0xF000 and up), which share WM_SYSCOMMAND ids.
    static constexpr unsigned kLast = 0xEFFF;

    // The next free id; `taken` names other values an id must not equal
    // (live menu handles). 0 when every id of the range is in use.
    unsigned allocate(const std::function<bool(unsigned)>& taken = {});
    // Frees an id for a later round; the counter does not go back.
    void release(unsigned id);
    bool inUse(unsigned id) const { return live_.count(id) != 0; }

private:
    unsigned next_ = kFirst;
    std::set<unsigned> live_;
};

// The program's allocator, shared by all menu items.
MenuIdAllocator& menuIds();

}  // namespace wl
