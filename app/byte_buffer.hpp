// A growing byte buffer that hands out room to write into directly. The
// record writers fill rows of hundreds of short values; a string's checks
// on every append (or its zero-filling on resize) cost more than copying.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace zr {

class ByteBuffer {
public:
    // Room for n more bytes at the end; the caller writes all of them.
    char* extend(std::size_t n) {
        if (size_ + n > capacity_) grow(size_ + n);
        char* p = data_.get() + size_;
        size_ += n;
        return p;
    }
    void append(std::string_view s) {
        if (!s.empty()) std::memcpy(extend(s.size()), s.data(), s.size());
    }
    void push_back(char c) { *extend(1) = c; }

    std::string_view view() const { return {data_.get(), size_}; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear() { size_ = 0; }

private:
    void grow(std::size_t need) {
        std::size_t capacity = capacity_ < 4096 ? 4096 : capacity_;
        while (capacity < need) capacity *= 2;
        std::unique_ptr<char[]> data(new char[capacity]);
        if (size_) std::memcpy(data.get(), data_.get(), size_);
        data_ = std::move(data);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Copies a short text: most values are a few bytes, below what a library
// copy call pays for itself.
inline char* copyText(char* p, std::string_view s) {
    if (s.size() > 16) {
        std::memcpy(p, s.data(), s.size());
        return p + s.size();
    }
    for (char c : s) *p++ = c;
    return p;
}

}  // namespace zr
