// The text of "debug.log" that an engine run builds with the debug word.
// Lines traced per segment count against a limit (5,000) and stop there,
// so a large file cannot turn its trace into gigabytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zr {

class DebugTrace {
public:
    static constexpr int kLimit = 5000;
    // Traced segment texts are cut here: one endless "segment" of a file
    // without terminators would otherwise be copied into every history line.
    static constexpr std::size_t kTextCut = 4096;

    explicit DebugTrace(bool on, int limit = kLimit) : on_(on), limit_(limit) {}

    bool on() const { return on_; }
    // True while counted lines may still be added.
    bool open() const { return on_ && counted_ < limit_; }
    int counted() const { return counted_; }

    // A line outside the limit (start of the run, map load, delimiters).
    void line(std::string_view text);
    // A line counted against the limit; dropped once the limit is reached.
    void counted(std::string_view text);
    // Text added as it is (the trace of the map detection).
    void raw(std::string_view text);

    static std::string_view cut(std::string_view text) { return text.substr(0, kTextCut); }

    const std::string& text() const { return text_; }

private:
    bool on_;
    int limit_;
    int counted_ = 0;
    std::string text_;
};

}  // namespace zr
