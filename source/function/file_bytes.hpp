// Whole-file reading: the bytes of a file, or the error that stopped the
// read, and the one text every file error is shown with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace wl {

// "Cfile <ERROR> " + step + " #" + the code right-aligned in two: how a
// failed file step ("FC-Open", "FC-Fread", ...) is told to the user.
std::string fileErrorText(std::string_view step, int code);
// Shows that text through WQOUT, followed by " " + detail when one is given.
void showFileError(std::string_view step, int code, std::string_view detail = {});

// The bytes of a whole file, held without filling a buffer first: the file
// is mapped where the system can (pages come from the file cache, copied
// only where written), else read into fresh memory. The bytes are
// writable; changes never reach the file.
class FileBytes {
public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(FileBytes&& other) noexcept { *this = std::move(other); }
    FileBytes& operator=(FileBytes&& other) noexcept;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    char* data() { return data_; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::string_view view() const { return {data_, size_}; }

    // 0 when the whole file was read; else the error code, and the step
    // that failed ("FC-Open", "FC-Fmax", "FC-Fread"): the bytes are then
    // what could be read.
    int error() const { return error_; }
    std::string_view step() const { return step_; }
    bool ok() const { return error_ == 0; }

    // Fresh, unfilled memory of n bytes (size() becomes n).
    void allocate(std::size_t n);
    void shrink(std::size_t n) {
        if (n < size_) size_ = n;
    }
    void fail(std::string_view step, int code) {
        step_ = std::string(step);
        error_ = code != 0 ? code : 5;
    }

private:
    friend FileBytes readWholeFile(const std::string& path);
    void release();

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::unique_ptr<char[]> heap_;
    void* mapping_ = nullptr;  // the mapped view, released by the platform half
    std::size_t mappedSize_ = 0;
    int error_ = 0;
    std::string step_;
};

// The whole file. A missing file is error 2 at "FC-Open".
FileBytes readWholeFile(const std::string& path);

// The platform half: maps the file's first `size` bytes privately (writes
// stay in memory); nullptr when the system cannot.
void* mapFilePrivately(const std::string& path, std::size_t size);
void unmapFile(void* view, std::size_t size);

}  // namespace wl
