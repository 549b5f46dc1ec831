// The logic of a recently-used file list: entries read from the numbered keys
// of a profile section, captions "&n name", moving a saved name to the top,
// and writing the section back. The menu items are the caller's.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wl {

// The profile section that holds the list (keys "1", "2", ...).
struct MruStore {
    std::function<std::string(const std::string& key)> read;
    std::function<void(const std::string& key, const std::string& value)> write;
    std::function<void(const std::string& key)> remove;
    std::function<void()> removeSection;
};

struct MruEntry {
    std::string name;
    int number = 0;  // the number its caption shows
    bool enabled = true;
};

// What a Save changed, for the caller's menu.
struct MruSaveResult {
    bool separatorAdded = false;           // the list was empty before
    std::optional<std::size_t> movedFrom;  // 0-based slot of the name already listed
    bool inserted = false;                 // a new first entry
    bool droppedLast = false;              // the oldest entry fell off
};

// "&" n " " name.
std::string mruCaption(int number, const std::string& name);
// The text after the first blank of a caption.
std::string mruNameOfCaption(const std::string& caption);

class MruList {
public:
    explicit MruList(std::size_t maxItems = 10) : maxItems_(maxItems ? maxItems : 10) {}

    // Reads keys "1" to the most-entries value; empty keys are skipped and
    // the entries keep their key numbers.
    void load(const MruStore& store);
    // Puts the name at the top, renumbers and writes keys 1..n; keys above
    // the list's length up to the most-entries value are removed, so they
    // cannot come back as duplicates at the next start.
    MruSaveResult save(const std::string& name, const MruStore& store);
    // Empties the list and removes the section.
    void clear(const MruStore& store);

    const std::vector<MruEntry>& entries() const { return entries_; }
    std::size_t maxItems() const { return maxItems_; }

private:
    std::size_t maxItems_;
    std::vector<MruEntry> entries_;
};

}  // namespace wl
