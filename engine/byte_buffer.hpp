// A growing byte buffer that hands out room to write into directly. The
// record writers fill rows of hundreds of short values; a string's checks
// on every append (or its zero-filling on resize) cost more than copying.
#pragma once

#include <cstddef>
#include <cstdint>
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

    // Room for n bytes in all, taken at once (memory is not touched).
    void reserve(std::size_t n) {
        if (n > capacity_) reallocate(n);
    }

    std::string_view view() const { return {data_.get(), size_}; }
    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    bool empty() const { return size_ == 0; }
    void clear() { size_ = 0; }

private:
    void grow(std::size_t need) {
        std::size_t capacity = capacity_ < 4096 ? 4096 : capacity_;
        while (capacity < need) capacity *= 2;
        reallocate(capacity);
    }
    void reallocate(std::size_t capacity) {
        std::unique_ptr<char[]> data(new char[capacity]);
        if (size_) std::memcpy(data.get(), data_.get(), size_);
        data_ = std::move(data);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Copies a text. Most values are a few bytes, below what a library copy
// call pays for itself: those go as two overlapping loads and stores.
inline char* copyText(char* p, std::string_view s) {
    const std::size_t n = s.size();
    const char* q = s.data();
    if (n >= 16) {
        std::memcpy(p, q, n);
    } else if (n >= 8) {
        std::uint64_t a, b;
        std::memcpy(&a, q, 8);
        std::memcpy(&b, q + n - 8, 8);
        std::memcpy(p, &a, 8);
        std::memcpy(p + n - 8, &b, 8);
    } else if (n >= 4) {
        std::uint32_t a, b;
        std::memcpy(&a, q, 4);
        std::memcpy(&b, q + n - 4, 4);
        std::memcpy(p, &a, 4);
        std::memcpy(p + n - 4, &b, 4);
    } else if (n > 0) {
        p[0] = q[0];
        p[n / 2] = q[n / 2];
        p[n - 1] = q[n - 1];
    }
    return p + n;
}

}  // namespace zr
