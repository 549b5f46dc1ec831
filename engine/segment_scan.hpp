// Walking the segments of an X12 text, as the engine reads it: the segment
// terminator completes a segment, CR and LF are skipped, every other byte
// belongs to the segment (a comma too: the outputs quote it).
//
// The terminator is found with memchr and a segment without line breaks
// inside is handed on as a view into the buffer, untouched. Others are
// cleaned in place: the bytes dropped are overwritten with a line break
// that is skipped in turn, so a second walk over the same buffer (the
// service-line count before the conversion) sees the same segments.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>


namespace zr {

namespace segment_scan_detail {

inline bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

// Whether any of the eight bytes of w is b (the classic zero-byte test).
inline bool hasByte(std::uint64_t w, unsigned char b) {
    const std::uint64_t x = w ^ (0x0101010101010101ull * b);
    return ((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull) != 0;
}

// The first position at or after i holding a line break; eight bytes at a
// time, since most segments hold none.
inline std::size_t firstSpecial(const char* p, std::size_t i, std::size_t n) {
    while (i + 8 <= n) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (hasByte(w, '\r') || hasByte(w, '\n')) break;
        i += 8;
    }
    while (i < n && !isLineBreak(p[i])) ++i;
    return i;
}

inline bool isGap(char c) { return isLineBreak(c) || c == ' ' || c == '\t'; }

// The id is read without regard to case: "clm" is a CLM. At most three
// bytes, up to the first that is no letter or digit.
inline void upperId(char* p, std::size_t n) {
    for (std::size_t k = 0; k < n && k < 3; ++k) {
        const char c = p[k];
        if (c >= 'a' && c <= 'z') p[k] = static_cast<char>(c - 'a' + 'A');
        else if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return;
    }
}

// The text of the segment in [p, p + n): cleaned in place, as a view.
inline std::string_view clean(char* p, std::size_t n, char filler) {
    // Blanks and tabs before the id go as line breaks do: files indented
    // after each line break, or with a blank after each terminator, still
    // give their ids (the segment table reads ids the same way).
    std::size_t a = 0;
    while (a < n && isGap(p[a])) ++a;
    upperId(p + a, n - a);
    std::size_t i = firstSpecial(p, a, n);
    if (i == n) return std::string_view(p + a, n - a);
    std::size_t w = i;
    for (; i < n; ++i) {
        char c = p[i];
        if (isLineBreak(c)) continue;
        p[w++] = c;
    }
    for (std::size_t k = w; k < n; ++k) p[k] = filler;
    return std::string_view(p + a, w - a);
}

inline std::size_t findTerminator(const char* data, std::size_t from, std::size_t size, char terminator) {
    if (terminator == ' ') {
        // Commas end segments too, as they always have with a blank terminator.
        for (std::size_t i = from; i < size; ++i)
            if (data[i] == ' ' || data[i] == ',') return i;
        return std::string::npos;
    }
    const void* hit = std::memchr(data + from, terminator, size - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : std::string::npos;
}

}  // namespace segment_scan_detail

// The delimiters a walk reads segments with. A file may hold interchanges
// with delimiters of their own: each ISA brings its own, as the segment
// table reads them.
struct WalkDelimiters {
    char terminator = '~';
    char element = '*';
    char component = ':';
    bool operator==(const WalkDelimiters&) const = default;
};

// The delimiters of the ISA whose "I" stands at p, with n bytes from there
// on: nothing unless the whole fixed-width header is there and its element
// separator stands at every one of its places (a header of other widths is
// read with the delimiters before it, as always).
inline std::optional<WalkDelimiters> isaDelimiters(const char* p, std::size_t n) {
    constexpr std::size_t kIsaBytes = 106;
    constexpr std::size_t kElementAt[] = {3, 6, 17, 20, 31, 34, 50, 53, 69, 76, 81, 83, 89, 99, 101, 103};
    if (n < kIsaBytes || (p[0] | 0x20) != 'i' || (p[1] | 0x20) != 's' || (p[2] | 0x20) != 'a') return std::nullopt;
    for (std::size_t at : kElementAt)
        if (p[at] != p[3]) return std::nullopt;
    return WalkDelimiters{p[105], p[103], p[104]};
}

// Calls onSegment(text, index of its terminator) for every completed
// segment of [data, data + size), in order, and answers where the text
// after the last terminator begins (no segment: it may be completed by the
// next block of the file).
//
// An ISA whose delimiters differ from `delimiters` changes them, from that
// ISA on, before it is handed on: onInterchange(index of its "I") is
// called first, and the walk goes on with the new terminator.
template <class OnSegment, class OnInterchange>
std::size_t forEachSegment(char* data, std::size_t size, WalkDelimiters& delimiters, OnSegment&& onSegment,
                           OnInterchange&& onInterchange) {
    using namespace segment_scan_detail;
    std::size_t start = 0;
    while (start < size) {
        // A comma terminator never ends anything, as it never has.
        if (delimiters.terminator == ',') return start;
        // The ISA is looked for before the terminator: an interchange with
        // another terminator may hold none of the one before it.
        std::size_t s = start;
        while (s < size && isGap(data[s])) ++s;
        if (s < size && (data[s] | 0x20) == 'i') {
            const std::optional<WalkDelimiters> own = isaDelimiters(data + s, size - s);
            if (own && !(*own == delimiters)) {
                delimiters = *own;
                onInterchange(s);
                start = s;
                continue;
            }
        }
        const std::size_t end = findTerminator(data, start, size, delimiters.terminator);
        if (end == std::string::npos) return start;
        const char filler = delimiters.terminator == '\n' ? '\r' : '\n';
        onSegment(clean(data + start, end - start, filler), end);
        start = end + 1;
    }
    return start;
}

template <class OnSegment>
std::size_t forEachSegment(char* data, std::size_t size, char terminator, OnSegment&& onSegment) {
    using namespace segment_scan_detail;
    // A comma terminator never ends anything, as it never has.
    if (terminator == ',') return 0;
    const char filler = terminator == '\n' ? '\r' : '\n';
    std::size_t start = 0;
    while (start < size) {
        const std::size_t end = findTerminator(data, start, size, terminator);
        if (end == std::string::npos) return start;
        onSegment(clean(data + start, end - start, filler), end);
        start = end + 1;
    }
    return start;
}

template <class OnSegment>
void forEachSegment(std::string& bytes, char terminator, OnSegment&& onSegment) {
    forEachSegment(bytes.data(), bytes.size(), terminator, onSegment);
}

}  // namespace zr
