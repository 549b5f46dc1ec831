#include "file_bytes.hpp"

#include <algorithm>

#include "file_io.hpp"
#include "messages.hpp"
#include "text.hpp"

namespace wl {

std::string fileErrorText(std::string_view step, int code) {
    // Appended piece by piece: GCC 12 warns falsely about a chain of "+".
    std::string text = "Cfile <ERROR> ";
    text.append(step);
    text.append(" #");
    text.append(rightAligned(code, 2));
    return text;
}

void showFileError(std::string_view step, int code, std::string_view detail) {
    std::string text = fileErrorText(step, code);
    // Appended in two steps: gcc 12 warns falsely about operator+ here.
    if (!detail.empty()) text.append(1, ' ').append(detail);
    WQOUT({text});
}

FileBytes::~FileBytes() { release(); }

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
    if (this == &other) return *this;
    release();
    data_ = other.data_;
    size_ = other.size_;
    heap_ = std::move(other.heap_);
    mapping_ = other.mapping_;
    mappedSize_ = other.mappedSize_;
    error_ = other.error_;
    step_ = std::move(other.step_);
    other.data_ = nullptr;
    other.size_ = 0;
    other.mapping_ = nullptr;
    other.mappedSize_ = 0;
    other.error_ = 0;
    return *this;
}

void FileBytes::release() {
    if (mapping_) unmapFile(mapping_, mappedSize_);
    mapping_ = nullptr;
    mappedSize_ = 0;
    heap_.reset();
    data_ = nullptr;
    size_ = 0;
}

void FileBytes::allocate(std::size_t n) {
    release();
    // new char[n] leaves the bytes as they are: no pass over a buffer that
    // the read overwrites anyway.
    heap_.reset(new char[n == 0 ? 1 : n]);
    data_ = heap_.get();
    size_ = n;
}

namespace {
constexpr std::size_t kReadChunk = 16u << 20;
}  // namespace

FileBytes readWholeFile(const std::string& path) {
    FileBytes out;
    InputFile f;
    if (!f.open(path)) {
        out.fail("FC-Open", f.error());
        return out;
    }
    const std::int64_t size = f.size();
    if (size < 0) {
        out.fail("FC-Fmax", f.error());
        return out;
    }
    if (static_cast<std::uint64_t>(size) > static_cast<std::uint64_t>(SIZE_MAX / 2)) {
        out.fail("FC-Fmax", 8);  // more than the address space can hold
        return out;
    }
    const auto n = static_cast<std::size_t>(size);
    if (n == 0) return out;
    if (void* view = mapFilePrivately(path, n)) {
        out.mapping_ = view;
        out.mappedSize_ = n;
        out.data_ = static_cast<char*>(view);
        out.size_ = n;
        return out;
    }
    if (!f.seek(0)) {
        out.fail("FC-Fmin", f.error());
        return out;
    }
    out.allocate(n);
    std::size_t pos = 0;
    while (pos < n) {
        const std::size_t want = std::min(kReadChunk, n - pos);
        const std::size_t got = f.read(out.data() + pos, want);
        pos += got;
        if (got < want) {
            // A file that failed or shrank while it was read is not
            // whole: the short read is an error, not the end.
            out.shrink(pos);
            out.fail("FC-Fread", f.error() != 0 ? f.error() : kErrorReadFault);
            return out;
        }
    }
    out.shrink(pos);
    return out;
}

}  // namespace wl
