// The bytes of a source read in blocks: a reader looks at what is buffered,
// consumes what it has handled and asks for more when a unit (a record, a
// tag) runs past the buffer. Memory stays at a block plus the largest unit,
// whatever the file's size. The same interface over a text in memory lets
// one parser serve both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "file_io.hpp"

namespace zr {

class ByteInput {
public:
    // A file, read in blocks of `block` bytes (more when a unit is longer).
    explicit ByteInput(const std::string& path, std::size_t block = kBlock);
    // A file from byte `start` on (a part of it read on a thread of its own).
    ByteInput(const std::string& path, std::uint64_t start, std::size_t block);
    // A text in memory, whole from the start (it must outlive the input).
    explicit ByteInput(std::string_view text);
    ByteInput(const ByteInput&) = delete;
    ByteInput& operator=(const ByteInput&) = delete;

    static constexpr std::size_t kBlock = 1u << 20;

    bool ok() const { return error_ == 0; }
    int error() const { return error_; }  // the system's code of a failed open or read
    std::string_view view() const { return text_.substr(pos_); }
    // No byte is left to read: view() holds the rest of the source.
    bool atEnd() const { return end_; }
    void consume(std::size_t n) { pos_ += n; }
    // Reads more bytes after what view() holds; false at the end or on an error.
    bool more();
    std::uint64_t position() const { return consumedBefore_ + pos_; }  // bytes consumed so far
    std::int64_t size() const { return size_; }  // the file's size (-1 unknown)

private:
    wl::InputFile file_;
    // Read into without being cleared first: the read fills what is used.
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t block_ = kBlock;
    std::uint64_t consumedBefore_ = 0;
    std::int64_t size_ = -1;
    bool end_ = false;
    int error_ = 0;
};

}  // namespace zr
