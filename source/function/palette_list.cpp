#include "palette_list.hpp"

#include <algorithm>

namespace wl {

void PaletteList::enter(std::uintptr_t window, std::uintptr_t bitmap, std::uintptr_t palette) {
    if (!bitmap) return;
    auto find = [&](std::uintptr_t b) {
        return std::find_if(records_.begin(), records_.end(), [b](const Record& r) { return r.bitmap == b; });
    };
    auto it = find(bitmap);
    if (it == records_.end()) it = find(0);
    if (it == records_.end()) it = records_.insert(records_.end(), Record{});
    *it = Record{window, palette, bitmap};
    if (window && palette) foreground_ = static_cast<std::size_t>(it - records_.begin());
}

std::optional<PaletteList::Record> PaletteList::foreground() const {
    if (!foreground_) return std::nullopt;
    return records_[*foreground_];
}

std::optional<std::pair<std::uintptr_t, std::uintptr_t>> PaletteList::setForeground(std::uintptr_t bitmap,
                                                                                    std::uintptr_t palette,
                                                                                    std::uintptr_t* invalidate) {
    if (invalidate) *invalidate = 0;
    bool hadForeground = foreground_.has_value();
    if (hadForeground && records_[*foreground_].bitmap == bitmap && records_[*foreground_].palette == palette)
        return std::make_pair(bitmap, palette);
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const Record& r = records_[i];
        if (r.bitmap == bitmap && bitmap && r.window && r.palette) {
            foreground_ = i;
            if (asked_ && invalidate) *invalidate = r.window;
            break;
        }
    }
    if (!hadForeground) return std::nullopt;
    const Record& f = records_[*foreground_];
    return std::make_pair(f.bitmap, f.palette);
}

std::vector<std::uintptr_t> PaletteList::paletteChanged(std::uintptr_t window) {
    bool ours = std::any_of(records_.begin(), records_.end(), [window](const Record& r) { return r.window == window; });
    if (asked_ && !ours) asked_ = false;
    std::uintptr_t fore = foreground_ ? records_[*foreground_].palette : 0;
    std::vector<std::uintptr_t> repaint;
    for (const Record& r : records_)
        if (r.window && r.palette && r.palette != fore) repaint.push_back(r.window);
    return repaint;
}

std::optional<PaletteList::Record> PaletteList::release(std::uintptr_t bitmap) {
    if (!bitmap) return std::nullopt;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (records_[i].bitmap != bitmap) continue;
        Record old = records_[i];
        records_[i] = Record{};
        if (foreground_ == i) foreground_.reset();
        return old;
    }
    return std::nullopt;
}

}  // namespace wl
