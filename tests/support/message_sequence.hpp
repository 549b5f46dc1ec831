// A recorder of the messages and notifications a test provokes, checked in
// their exact order. Each entry is a name and a number (a message and its
// wParam, a notification and its item...); the check prints both sequences
// side by side when they differ, so a missing, extra or swapped entry shows
// at once.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace zrtest {

struct SequenceEntry {
    std::string name;
    std::int64_t value = 0;
    bool operator==(const SequenceEntry& o) const { return name == o.name && value == o.value; }
};

inline std::ostream& operator<<(std::ostream& out, const SequenceEntry& e) {
    return out << e.name << "(" << e.value << ")";
}

class MessageSequence {
public:
    void record(std::string name, std::int64_t value = 0) { entries_.push_back({std::move(name), value}); }
    void clear() { entries_.clear(); }
    const std::vector<SequenceEntry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }

    // Empty when the recorded sequence is exactly the expected one; else a
    // listing of both, position by position.
    std::string mismatch(const std::vector<SequenceEntry>& expected) const {
        if (entries_ == expected) return {};
        std::ostringstream out;
        out << "expected " << expected.size() << " entries, recorded " << entries_.size() << "\n";
        const std::size_t n = std::max(expected.size(), entries_.size());
        for (std::size_t i = 0; i < n; ++i) {
            const bool same = i < expected.size() && i < entries_.size() && expected[i] == entries_[i];
            out << (same ? "   " : " ! ") << i << ": ";
            if (i < expected.size()) out << expected[i]; else out << "-";
            out << "  |  ";
            if (i < entries_.size()) out << entries_[i]; else out << "-";
            out << "\n";
        }
        return out.str();
    }

private:
    std::vector<SequenceEntry> entries_;
};

}  // namespace zrtest
