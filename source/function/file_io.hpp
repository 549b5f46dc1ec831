// Binary file access with 64-bit positions and Windows-style error codes
// (2 file not found, 5 access denied, ...), which the program's messages show.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace wl {

// The operating system's error code of the last failed C library call,
// in the numbering that Windows uses.
int lastOsError();

// A file opened for reading; closed when the object goes.
class InputFile {
public:
    InputFile() = default;
    explicit InputFile(const std::string& path) { open(path); }
    ~InputFile() { close(); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool open(const std::string& path);  // false and error() set on failure
    void close();
    bool isOpen() const { return f_ != nullptr; }
    int error() const { return error_; }

    // Size by seeking to the end; -1 on failure. Leaves the position at the end.
    std::int64_t size();
    bool seek(std::int64_t position);
    // The current position; -1 when closed or on failure.
    std::int64_t position();
    // Reads up to n bytes; fewer at the end of the file or on failure
    // (then error() is set).
    std::size_t read(void* buffer, std::size_t n);

private:
    std::FILE* f_ = nullptr;
    int error_ = 0;
};

// What a path names: nothing, a plain file, a folder, or anything else
// (a device, a pipe, a socket).
enum class TargetKind { Missing, Regular, Folder, Device };
TargetKind targetKind(const std::string& path);

// Writes the bytes to a temporary file in the same folder and renames it over
// the target only when everything was written, so a failed write never
// leaves a half-written or truncated target. A device or pipe is written
// in place; a folder is refused. Answers 0, or the error code.
int writeFileAtomically(const std::string& path, std::string_view bytes);
// Moves a finished temporary file over the target in one step (rename, or
// MoveFileExA replacing the existing file); a target that is not a plain
// file is never replaced (error 5). 0 or the system's error code; on error
// the target is as it was.
int replaceFile(const std::string& temp, const std::string& target);
// Appends the bytes to the file (created when missing); 0 or the error code.
int appendToFile(const std::string& path, std::string_view bytes);

enum class FileAttribute { ReadOnly, Hidden, System };

// Sets one attribute of an existing file. Hidden and system exist only on
// Windows; elsewhere they answer false and change nothing.
bool setFileAttribute(const std::string& path, FileAttribute attribute);

}  // namespace wl
