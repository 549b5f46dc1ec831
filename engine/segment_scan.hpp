// Walking the segments of an X12 text, as the engine reads it byte by byte: a comma becomes a blank, the segment terminator completes
// a segment, CR and LF are skipped, every other byte belongs to the segment.
//
// The terminator is found with memchr and a segment without commas or line
// breaks inside is handed on as a view into the buffer, untouched. Others
// are cleaned in place: the bytes dropped are overwritten with a line break
// that is skipped in turn, so a second walk over the same buffer (the
// service-line count before the conversion) sees the same segments.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
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

// The first position at or after i holding a comma or a line break; eight
// bytes at a time, since most segments hold neither.
inline std::size_t firstSpecial(const char* p, std::size_t i, std::size_t n) {
    while (i + 8 <= n) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (hasByte(w, ',') || hasByte(w, '\r') || hasByte(w, '\n')) break;
        i += 8;
    }
    while (i < n && p[i] != ',' && !isLineBreak(p[i])) ++i;
    return i;
}

// The text of the segment in [p, p + n): cleaned in place, as a view.
inline std::string_view clean(char* p, std::size_t n, char filler) {
    // Blanks and tabs before the id go as line breaks do: files indented
    // after each line break, or with a blank after each terminator, still
    // give their ids (the segment table reads ids the same way).
    std::size_t a = 0;
    while (a < n && (isLineBreak(p[a]) || p[a] == ' ' || p[a] == '\t')) ++a;
    std::size_t i = firstSpecial(p, a, n);
    if (i == n) return std::string_view(p + a, n - a);
    std::size_t w = i;
    for (; i < n; ++i) {
        char c = p[i];
        if (isLineBreak(c)) continue;
        p[w++] = c == ',' ? ' ' : c;
    }
    for (std::size_t k = w; k < n; ++k) p[k] = filler;
    return std::string_view(p + a, w - a);
}

inline std::size_t findTerminator(const char* data, std::size_t from, std::size_t size, char terminator) {
    if (terminator == ' ') {
        // Commas have turned into blanks, so they end segments too.
        for (std::size_t i = from; i < size; ++i)
            if (data[i] == ' ' || data[i] == ',') return i;
        return std::string::npos;
    }
    const void* hit = std::memchr(data + from, terminator, size - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : std::string::npos;
}

}  // namespace segment_scan_detail

// Calls onSegment(text, index of its terminator) for every completed
// segment of [data, data + size), in order, and answers where the text
// after the last terminator begins (no segment: it may be completed by the
// next block of the file).
template <class OnSegment>
std::size_t forEachSegment(char* data, std::size_t size, char terminator, OnSegment&& onSegment) {
    using namespace segment_scan_detail;
    // A comma terminator never ends anything: commas become blanks first.
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
