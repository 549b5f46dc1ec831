// The three X12 delimiters and the interchange header. The ISA segment has a
// fixed layout, so the delimiters stand at fixed offsets from its "I":
// element separator 103, component separator 104, segment terminator 105.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zr {

// Where the delimiters are stored together (a segment table row), they come
// in the order terminator, element separator, component separator; as
// arguments, in the order component, element, terminator.
struct X12Delimiters {
    std::string terminator = "~";
    std::string element = "*";
    std::string component = ">";
};

// CTL39400J: modes 1, 2 and 3 read the terminator, the element separator and
// the component separator at offset 105, 103 or 104 plus `base`; modes 101,
// 102 and 103 read the byte at absolute offset 0, 1 or 2. One blank when
// nothing can be read. The three delimiter arguments are not used.
std::string CTL39400J(const std::string& fileName, const std::string& component, const std::string& element,
                      const std::string& terminator, int mode, std::int64_t base = 0);

// CTL39400AK: the first three bytes, upper-cased, are "ISA".
bool CTL39400AK(const std::string& fileName);
// CTL39400AO: the first four bytes, upper-cased, are "ISA " (a blank as
// element separator: the header lacks its delimiters).
bool CTL39400AO(const std::string& fileName);

// CTL39400AJ, the ISA locator: the 0-based position of the "I" of the first
// "ISA" (any case) minus one, so that the caller's base is the answer + 1
// (-1 for a file that begins with "ISA"). No value when the file holds no
// "ISA" or does not exist, so a file that is not X12 is never read with
// delimiters taken from arbitrary offsets.
std::optional<std::int64_t> CTL39400AJ(const std::string& fileName);

// CTL39400AR (no caller): the byte at absolute offset 102, 101 or 100 for
// mode 1, 2 or 3, read only when `start` lies inside the file.
std::string CTL39400AR(const std::string& fileName, const std::string& component, const std::string& element,
                       const std::string& terminator, int mode, std::int64_t start);

// The delimiters of the file's first interchange, wherever its ISA stands;
// nothing for a file without ISA (which is not X12).
std::optional<X12Delimiters> locateDelimiters(const std::string& fileName);

// The three delimiters of the interchange whose ISA starts at `base`, read
// in the callers' order: terminator, element separator, component separator.
// A header of the fixed layout is read at the fixed offsets (CTL39400J); one
// whose values are padded past their widths, cut short or broken by a line
// break is read as written: the separator after "ISA", ISA16 after the
// sixteenth separator, then the terminator (all the bytes of a terminator
// written as one UTF-8 character).
X12Delimiters readDelimiters(const std::string& fileName, std::int64_t base = 0);

// A source's head as a conversion needs it, read with one open: where the
// first ISA stands (as CTL39400AJ answers) and that interchange's
// delimiters (as readDelimiters answers from there), and the file's size.
struct SourceHead {
    // The file was opened and measured (`size` holds): false when it
    // could not be, or its ISA lies beyond the first bytes read.
    bool measured = false;
    std::uint64_t size = 0;
    std::optional<std::int64_t> isaAt;
    X12Delimiters delimiters;  // when isaAt holds
};
SourceHead readSourceHead(const std::string& fileName);
// The same from the file's first bytes already read (at most
// kSourceHeadBytes, all of them for a smaller file) and its size.
constexpr std::size_t kSourceHeadBytes = std::size_t{64} << 10;
SourceHead sourceHeadOf(std::string_view bytes, std::uint64_t size, const std::string& fileName);

}  // namespace zr
