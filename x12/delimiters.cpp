#include "delimiters.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>
#include <vector>

#include "file_bytes.hpp"
#include "file_io.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "text.hpp"

namespace zr {

using wl::rightAligned;

namespace {

// The byte at `offset`, or one blank when there is none. Failures are shown
// and reading goes on as far as it can.
std::string byteAt(const std::string& fileName, std::int64_t offset) {
    std::string result = " ";
    if (!wl::fileExists(fileName)) return result;
    wl::InputFile f;
    if (!f.open(fileName)) {
        wl::showFileError("FC-Open", f.error(), fileName);
        return result;
    }
    std::int64_t size = f.size();
    if (size < 0) wl::showFileError("FC-Fmax", f.error());
    if (!f.seek(0)) wl::showFileError("FC-Fmin", f.error());
    if (size <= 0 || offset < 0 || offset >= size) return result;
    if (!f.seek(offset)) {
        wl::showFileError("FC-Fseek Loop", f.error());
        return result;
    }
    char c;
    if (f.read(&c, 1) == 1) result.assign(1, c);
    else wl::showFileError("FC-Fread", f.error());
    return result;
}

// True when the first bytes of the file, upper-cased, equal `want`.
bool beginsWith(const std::string& fileName, const std::string& want) {
    if (!wl::fileExists(fileName)) return false;
    wl::InputFile f;
    if (!f.open(fileName)) {
        wl::WQOUT({"<ERROR> ISA Check FC-Open #" + rightAligned(f.error(), 2)});
        return false;
    }
    std::string head(want.size(), '\0');
    std::size_t got = f.read(head.data(), head.size());
    if (got < head.size()) {
        // A file shorter than the header is simply not X12; only a real
        // read failure is worth a message.
        if (f.error() != 0) wl::WQOUT({" <ERROR> ISA Check FC-Read #" + rightAligned(f.error(), 2)});
        return false;
    }
    return wl::upper(head) == want;
}

}  // namespace

std::string CTL39400J(const std::string& fileName, const std::string&, const std::string&, const std::string&,
                      int mode, std::int64_t base) {
    switch (mode) {
        case 1: return byteAt(fileName, 105 + base);
        case 2: return byteAt(fileName, 103 + base);
        case 3: return byteAt(fileName, 104 + base);
        case 101: return byteAt(fileName, 0);
        case 102: return byteAt(fileName, 1);
        case 103: return byteAt(fileName, 2);
        default: return " ";
    }
}

bool CTL39400AK(const std::string& fileName) { return beginsWith(fileName, "ISA"); }

bool CTL39400AO(const std::string& fileName) { return beginsWith(fileName, "ISA "); }

std::optional<std::int64_t> CTL39400AJ(const std::string& fileName) {
    if (!wl::fileExists(fileName)) return std::nullopt;
    wl::InputFile f;
    if (!f.open(fileName)) {
        wl::WQOUT({"<ERROR> ISA Check FC-Open #" + rightAligned(f.error(), 2)});
        return std::nullopt;
    }
    // Scan in chunks, keeping the last two bytes of the previous chunk so
    // that an "ISA" across a chunk border is found.
    constexpr std::size_t kChunk = 1u << 16;
    std::vector<char> buf(kChunk + 2);
    std::size_t carry = 0;
    std::int64_t chunkStart = 0;  // file position of buf[carry]
    for (;;) {
        std::size_t got = f.read(buf.data() + carry, kChunk);
        if (got == 0) {
            if (f.error() != 0) wl::showFileError("FC-Fread", f.error());
            return std::nullopt;
        }
        std::size_t n = carry + got;
        for (std::size_t i = 0; i + 2 < n; ++i) {
            if (wl::upperChar(buf[i]) == 'I' && wl::upperChar(buf[i + 1]) == 'S' &&
                wl::upperChar(buf[i + 2]) == 'A') {
                std::int64_t posOfI = chunkStart - static_cast<std::int64_t>(carry) + static_cast<std::int64_t>(i);
                return posOfI - 1;
            }
        }
        std::size_t keep = n < 2 ? n : 2;
        std::memmove(buf.data(), buf.data() + n - keep, keep);
        chunkStart += static_cast<std::int64_t>(got);
        carry = keep;
    }
}

std::string CTL39400AR(const std::string& fileName, const std::string&, const std::string&, const std::string&,
                       int mode, std::int64_t start) {
    std::int64_t offset = mode == 1 ? 102 : mode == 2 ? 101 : mode == 3 ? 100 : -1;
    if (offset < 0 || !wl::fileExists(fileName)) return " ";
    wl::InputFile f;
    if (!f.open(fileName)) return " ";
    std::int64_t size = f.size();
    if (start < 0 || start >= size) return " ";
    return byteAt(fileName, offset);
}

std::optional<X12Delimiters> locateDelimiters(const std::string& fileName) {
    auto located = CTL39400AJ(fileName);
    if (!located) return std::nullopt;
    return readDelimiters(fileName, *located + 1);
}

namespace {

bool isUtf8Lead(unsigned char c) { return c >= 0xC2 && c <= 0xF4; }
bool isUtf8Follower(unsigned char c) { return c >= 0x80 && c <= 0xBF; }

// The delimiters of a header that does not keep the fixed layout (values
// padded past their widths or cut short, a line break inside it): the
// element separator follows "ISA", ISA16 follows the sixteenth separator and
// the terminator follows ISA16; a terminator written as a UTF-8 character
// keeps all its bytes. Nothing for a header of the fixed layout with a
// one-byte terminator (the fixed offsets read it) or one whose separator
// cannot be told from its values.
std::optional<X12Delimiters> writtenDelimiters(const std::string& h) {
    constexpr std::size_t kIsaBytes = 106;
    constexpr std::size_t kElementAt[] = {3, 6, 17, 20, 31, 34, 50, 53, 69, 76, 81, 83, 89, 99, 101, 103};
    if (h.size() < 4 || wl::upper(h.substr(0, 3)) != "ISA") return std::nullopt;
    const char e = h[3];
    if (e == ' ' || std::isalnum(static_cast<unsigned char>(e))) return std::nullopt;
    bool fixedLayout = h.size() >= kIsaBytes;
    for (std::size_t at : kElementAt) fixedLayout = fixedLayout && h[at] == e;
    std::size_t separators = 16, k = 104;
    if (!fixedLayout)
        for (separators = 0, k = 3; k < h.size() && separators < 16; ++k) separators += h[k] == e;
    // k stands on ISA16; the terminator follows it.
    if (separators < 16 || k + 1 >= h.size()) return std::nullopt;
    if (fixedLayout && !isUtf8Lead(static_cast<unsigned char>(h[k + 1]))) return std::nullopt;
    X12Delimiters d;
    d.element.assign(1, e);
    d.component.assign(1, h[k]);
    std::size_t end = k + 2;
    if (isUtf8Lead(static_cast<unsigned char>(h[k + 1])))
        while (end < h.size() && end < k + 5 && isUtf8Follower(static_cast<unsigned char>(h[end]))) ++end;
    d.terminator = h.substr(k + 1, end - k - 1);
    return d;
}

// The header's first bytes from `base` (512, fewer at the file's end);
// nothing when the file cannot be read there.
constexpr std::size_t kHeaderLook = 512;

std::optional<std::string> headerBytes(const std::string& fileName, std::int64_t base) {
    constexpr std::size_t kLook = kHeaderLook;
    if (base < 0 || !wl::fileExists(fileName)) return std::nullopt;
    wl::InputFile f;
    if (!f.open(fileName) || !f.seek(base)) return std::nullopt;
    std::string h(kLook, '\0');
    h.resize(f.read(h.data(), h.size()));
    if (f.error() != 0) return std::nullopt;
    return h;
}

// The byte at a fixed offset of the header, one blank past its end (as
// CTL39400J answers past the file's end).
std::string headerByte(const std::string& h, std::size_t at) { return at < h.size() ? h.substr(at, 1) : " "; }

}  // namespace

namespace {

// The delimiters of a header's first bytes (kHeaderLook, fewer at the
// file's end).
X12Delimiters headerDelimiters(const std::string& header) {
    if (auto written = writtenDelimiters(header)) return *written;
    return X12Delimiters{headerByte(header, 105), headerByte(header, 103), headerByte(header, 104)};
}

// Where the first "ISA" (any case) of the bytes begins.
std::optional<std::size_t> isaIn(std::string_view bytes) {
    for (std::size_t i = 0; i + 2 < bytes.size(); ++i)
        if (wl::upperChar(bytes[i]) == 'I' && wl::upperChar(bytes[i + 1]) == 'S' && wl::upperChar(bytes[i + 2]) == 'A')
            return i;
    return std::nullopt;
}

}  // namespace

X12Delimiters readDelimiters(const std::string& fileName, std::int64_t base) {
    // One read of the header serves every delimiter; a file that cannot be
    // read is asked byte by byte, which says why.
    const std::optional<std::string> header = headerBytes(fileName, base);
    if (header) return headerDelimiters(*header);
    X12Delimiters d;
    d.terminator = CTL39400J(fileName, d.component, d.element, d.terminator, 1, base);
    d.element = CTL39400J(fileName, d.component, d.element, d.terminator, 2, base);
    d.component = CTL39400J(fileName, d.component, d.element, d.terminator, 3, base);
    return d;
}

namespace {

// The head asked of the file step by step (not measured).
SourceHead headStepByStep(const std::string& fileName) {
    SourceHead head;
    head.isaAt = CTL39400AJ(fileName);
    if (head.isaAt) head.delimiters = readDelimiters(fileName, *head.isaAt + 1);
    return head;
}

}  // namespace

SourceHead sourceHeadOf(std::string_view bytes, std::uint64_t size, const std::string& fileName) {
    // An ISA (or its header) beyond the bytes given is asked of the file
    // step by step, as before.
    const bool whole = bytes.size() == size;
    SourceHead head;
    head.size = size;
    const std::optional<std::size_t> isa = isaIn(bytes);
    if (!isa) {
        if (!whole) return headStepByStep(fileName);
        head.measured = true;
        return head;
    }
    if (!whole && *isa + kHeaderLook > bytes.size()) return headStepByStep(fileName);
    head.measured = true;
    head.isaAt = static_cast<std::int64_t>(*isa) - 1;
    head.delimiters = headerDelimiters(std::string(bytes.substr(*isa, kHeaderLook)));
    return head;
}

SourceHead readSourceHead(const std::string& fileName) {
    // A file that cannot be opened or read is asked step by step, which
    // also says what went wrong.
    wl::InputFile f;
    std::int64_t size = -1;
    std::string bytes;
    if (f.open(fileName) && (size = f.size()) >= 0 && f.seek(0)) {
        bytes.resize(static_cast<std::size_t>(std::min<std::int64_t>(size, kSourceHeadBytes)));
        if (f.read(bytes.data(), bytes.size()) == bytes.size() && f.error() == 0)
            return sourceHeadOf(bytes, static_cast<std::uint64_t>(size), fileName);
    }
    return headStepByStep(fileName);
}

}  // namespace zr
