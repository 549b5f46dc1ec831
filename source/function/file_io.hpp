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

// Error codes of the steps below, in the Windows numbering.
constexpr int kErrorAlreadyExists = 183;     // the target changed under the run
constexpr int kErrorPipeNotConnected = 233;  // a pipe nobody reads
constexpr int kErrorReadFault = 30;          // a file ended before its size
constexpr int kErrorLockViolation = 33;      // another run holds the file's append lock

// A new file beside `target` under a name no other run can share
// ("<target>.<unique>.zrtmp"): created exclusively, never through a link
// planted at that name, and removed when the process is stopped by a
// signal (or, on Windows, its console closes) before forgetTemporaryFile.
// Answers the file open for binary writing and its name, or nullptr with
// `error` set.
std::FILE* createTemporaryFile(const std::string& target, std::string& name, int& error);
// Removes the temporary file and takes it off the list of files removed on
// a stop.
void removeTemporaryFile(const std::string& name);
// Takes the name off that list (after the file was renamed).
void forgetTemporaryFile(const std::string& name);
// Removes every temporary file still listed: what a stop does. Safe to call
// from a signal handler.
void removeTemporaryFilesNow();
// Installs the handlers that remove the listed temporary files when the
// process is stopped (SIGINT, SIGTERM, SIGHUP; the console's Ctrl+C, close,
// logoff and shutdown events on Windows) and then let the stop go on.
void removeTemporaryFilesOnStop();

// What a file was when a run looked at it, to notice that another process
// replaced or changed it since.
struct FileStamp {
    TargetKind kind = TargetKind::Missing;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;
    std::uint64_t id = 0;  // the file's identity where the system tells it
    bool operator==(const FileStamp&) const = default;
};
FileStamp fileStamp(const std::string& path);

// Moves a finished temporary file to the target only when the target is
// still what `seen` recorded: a target that was missing must still be
// missing (checked in the same step as the move), an existing one unchanged.
// Otherwise the target is left alone and the answer is kErrorAlreadyExists.
int replaceFileIfUnchanged(const std::string& temp, const std::string& target, const FileStamp& seen);

// Opens a device or pipe for writing in place without waiting for a reader:
// a pipe nobody reads answers kErrorPipeNotConnected. nullptr and `error`
// set on failure.
std::FILE* openInPlace(const std::string& path, int& error);

enum class FileAttribute { ReadOnly, Hidden, System };

// Sets one attribute of an existing file. Hidden and system exist only on
// Windows; elsewhere they answer false and change nothing.
bool setFileAttribute(const std::string& path, FileAttribute attribute);

// Keeps a second run of this program from adding to a file while the first
// does: held from before the file is measured until the append completes
// or is undone. The system drops it when the process ends, so a crash
// leaves none behind. Other programs are not kept out.
class AppendLock {
public:
    AppendLock() = default;
    ~AppendLock() { release(); }
    AppendLock(const AppendLock&) = delete;
    AppendLock& operator=(const AppendLock&) = delete;
    // 0, kErrorLockViolation when another run holds the lock, or the
    // error code of opening the file.
    int acquire(const std::string& path);
    void release();
#ifdef _WIN32
    bool held() const { return handle_ != nullptr; }
#else
    bool held() const { return fd_ >= 0; }
#endif

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

}  // namespace wl
