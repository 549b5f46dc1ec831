// Cutting a text into pieces at a one-byte separator without copying:
// segments at the segment terminator, elements at the element separator,
// components at the component separator. Every splitter of the program
// goes through these.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace wl {

// Piece n (0-based) of the text cut at the separator; "" when the text has
// fewer pieces or n is negative. k separators make k + 1 pieces.
inline std::string_view pieceAt(std::string_view text, int n, char separator) {
    if (n < 0) return {};
    // Plain loops: pieces are a few bytes, shorter than what a library
    // search call pays for itself.
    std::size_t start = 0;
    const std::size_t size = text.size();
    for (int i = 0; i < n; ++i) {
        while (start < size && text[start] != separator) ++start;
        if (start == size) return {};
        ++start;
    }
    std::size_t end = start;
    while (end < size && text[end] != separator) ++end;
    return text.substr(start, end - start);
}

// Walks the pieces of a text one after the other.
class PieceCursor {
public:
    PieceCursor() = default;
    PieceCursor(std::string_view text, char separator) : text_(text), separator_(separator) {}
    bool done() const { return next_ == std::string_view::npos; }
    // The next piece; "" once done.
    std::string_view next() {
        if (done()) return {};
        std::size_t end = next_;
        while (end < text_.size() && text_[end] != separator_) ++end;
        const std::string_view piece = text_.substr(next_, end - next_);
        next_ = end < text_.size() ? end + 1 : std::string_view::npos;
        return piece;
    }

private:
    std::string_view text_;
    char separator_ = '*';
    std::size_t next_ = 0;  // where the next piece begins; npos when all are taken
};

// Calls fn(piece) for every piece of the text (at least one).
template <class Fn>
void forEachPiece(std::string_view text, char separator, Fn&& fn) {
    PieceCursor c(text, separator);
    while (!c.done()) fn(c.next());
}

// Calls fn(piece, index of its terminator) for every piece that a
// terminator ends; text after the last terminator is no piece.
template <class Fn>
void forEachTerminated(std::string_view text, char terminator, Fn&& fn) {
    std::size_t start = 0;
    while (start < text.size()) {
        const void* hit = std::memchr(text.data() + start, terminator, text.size() - start);
        if (!hit) return;
        const auto end = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        fn(text.substr(start, end - start), end);
        start = end + 1;
    }
}

}  // namespace wl
