#include "mru_list.hpp"

#include <algorithm>

namespace wl {

std::string mruCaption(int number, const std::string& name) {
    std::string caption = "&";
    caption += std::to_string(number);
    caption += ' ';
    caption += name;
    return caption;
}

std::string mruNameOfCaption(const std::string& caption) {
    auto blank = caption.find(' ');
    return blank == std::string::npos ? std::string() : caption.substr(blank + 1);
}

void MruList::load(const MruStore& store) {
    entries_.clear();
    if (!store.read) return;
    for (std::size_t key = 1; key <= maxItems_; ++key) {
        std::string value = store.read(std::to_string(key));
        if (!value.empty()) entries_.push_back({value, static_cast<int>(key), true});
    }
}

MruSaveResult MruList::save(const std::string& name, const MruStore& store) {
    MruSaveResult r;
    r.separatorAdded = entries_.empty();
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const MruEntry& e) { return e.name == name; });
    if (found != entries_.end()) {
        // The names above slot k move down one; slot k's name goes to the top.
        std::size_t k = static_cast<std::size_t>(found - entries_.begin());
        r.movedFrom = k;
        for (std::size_t i = k; i > 0; --i) {
            entries_[i].name = entries_[i - 1].name;
            entries_[i].enabled = entries_[i - 1].enabled;
        }
        entries_[0].name = name;
        entries_[0].enabled = true;
    } else {
        entries_.insert(entries_.begin(), MruEntry{name, 1, true});
        r.inserted = true;
        if (entries_.size() > maxItems_) {
            entries_.resize(maxItems_);
            r.droppedLast = true;
        }
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) entries_[i].number = static_cast<int>(i + 1);
    if (store.write)
        for (std::size_t i = 0; i < entries_.size(); ++i) store.write(std::to_string(i + 1), entries_[i].name);
    if (store.remove)
        for (std::size_t key = entries_.size() + 1; key <= maxItems_; ++key) store.remove(std::to_string(key));
    return r;
}

void MruList::clear(const MruStore& store) {
    entries_.clear();
    if (store.removeSection) store.removeSection();
}

}  // namespace wl
