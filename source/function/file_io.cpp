#include "file_io.hpp"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wl {

int lastOsError() {
    switch (errno) {
        case 0: return 0;
        case ENOENT: return 2;
        case ENOTDIR: return 3;
        case EMFILE: return 4;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR: return 5;
        case EBADF: return 6;
        case ENOMEM: return 8;
        case EEXIST: return 80;
        case EINVAL: return 87;
        case ENOSPC: return 112;
        default: return errno;
    }
}

bool InputFile::open(const std::string& path) {
    close();
    errno = 0;
    f_ = std::fopen(path.c_str(), "rb");
    error_ = f_ ? 0 : lastOsError();
    if (!f_ && error_ == 0) error_ = 2;
    return f_ != nullptr;
}

void InputFile::close() {
    if (f_) std::fclose(f_);
    f_ = nullptr;
}

namespace {
int seek64(std::FILE* f, std::int64_t offset, int whence) {
#ifdef _WIN32
    return _fseeki64(f, offset, whence);
#else
    return fseeko(f, static_cast<off_t>(offset), whence);
#endif
}
std::int64_t tell64(std::FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return ftello(f);
#endif
}
}  // namespace

std::int64_t InputFile::size() {
    if (!f_) return -1;
    errno = 0;
    if (seek64(f_, 0, SEEK_END) != 0) {
        error_ = lastOsError();
        return -1;
    }
    return tell64(f_);
}

bool InputFile::seek(std::int64_t position) {
    if (!f_) return false;
    errno = 0;
    if (seek64(f_, position, SEEK_SET) != 0) {
        error_ = lastOsError();
        return false;
    }
    return true;
}

std::int64_t InputFile::position() {
    if (!f_) return -1;
    return tell64(f_);
}

std::size_t InputFile::read(void* buffer, std::size_t n) {
    if (!f_) return 0;
    errno = 0;
    std::size_t got = std::fread(buffer, 1, n, f_);
    if (got < n && std::ferror(f_)) {
        error_ = lastOsError();
        std::clearerr(f_);
    }
    return got;
}

}  // namespace wl

namespace wl {

namespace {
int writeAll(std::FILE* f, std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) return lastOsError() ? lastOsError() : 29;
    if (std::fflush(f) != 0) return lastOsError() ? lastOsError() : 29;
    return 0;
}
}  // namespace

TargetKind targetKind(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || status.type() == fs::file_type::not_found) return TargetKind::Missing;
    if (status.type() == fs::file_type::regular) return TargetKind::Regular;
    if (status.type() == fs::file_type::directory) return TargetKind::Folder;
    return TargetKind::Device;
}

int writeFileAtomically(const std::string& path, std::string_view bytes) {
    int error = 0;
    switch (targetKind(path)) {
        case TargetKind::Folder: return 5;
        case TargetKind::Device: {
            // A device or pipe is written in place: a rename would put a
            // plain file where the device node was.
            std::FILE* f = openInPlace(path, error);
            if (!f) return error;
            error = writeAll(f, bytes);
            if (std::fclose(f) != 0 && error == 0) error = lastOsError() ? lastOsError() : 29;
            return error;
        }
        default: break;
    }
    std::string temp;
    std::FILE* f = createTemporaryFile(path, temp, error);
    if (!f) return error;
    error = writeAll(f, bytes);
    if (std::fclose(f) != 0 && error == 0) error = lastOsError() ? lastOsError() : 29;
    if (error == 0) error = replaceFile(temp, path);
    if (error != 0) removeTemporaryFile(temp);
    return error;
}

int replaceFile(const std::string& temp, const std::string& target) {
    // Only a plain file (or nothing) is ever replaced: never a folder, a
    // device or a pipe.
    const TargetKind kind = targetKind(target);
    if (kind == TargetKind::Folder || kind == TargetKind::Device) return 5;
    // The system's own replace, in one step: the target is the old file or
    // the new one, never missing, whatever happens in between.
#ifdef _WIN32
    if (MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        forgetTemporaryFile(temp);
        return 0;
    }
    const int error = static_cast<int>(GetLastError());
#else
    errno = 0;
    if (std::rename(temp.c_str(), target.c_str()) == 0) {
        forgetTemporaryFile(temp);
        return 0;
    }
    const int error = lastOsError();
#endif
    return error != 0 ? error : 5;
}

int appendToFile(const std::string& path, std::string_view bytes) {
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (!f) return lastOsError() ? lastOsError() : 2;
    int error = writeAll(f, bytes);
    if (std::fclose(f) != 0 && error == 0) error = lastOsError() ? lastOsError() : 29;
    return error;
}

// ---- Temporary files ----

namespace {

// The temporary files to remove when the process is stopped. A signal
// handler reads it, so it is a plain table of fixed size set up before
// main: a slot is free (0), being filled (1) or listed (2). A name that
// does not fit, or a run with more files open than slots, is simply not
// removed on a stop.
struct StopList {
    static constexpr int kSlots = 64;
    static constexpr std::size_t kPathBytes = 4096;
    std::atomic<int> state[kSlots];
    char path[kSlots][kPathBytes];
};
constinit StopList stopList{};

void listTemporaryFile(const std::string& name) {
    if (name.size() >= StopList::kPathBytes) return;
    for (int i = 0; i < StopList::kSlots; ++i) {
        int free = 0;
        if (!stopList.state[i].compare_exchange_strong(free, 1)) continue;
        std::memcpy(stopList.path[i], name.c_str(), name.size() + 1);
        stopList.state[i].store(2);
        return;
    }
}

// 64 random bits: a per-thread sequence seeded once from the system's
// randomness, not asked of it for every name (a folder run names a
// temporary file per output). The state is a plain integer: a thread-local
// object built at run time misbehaves in the static Windows builds.
std::uint64_t nextRandom() {
    thread_local std::uint64_t state = 0;
    if (state == 0) {
        std::random_device device;
        state = ((std::uint64_t{device()} << 32) ^ device()) | 1;
    }
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A name no other process or call shares: the process id and 64 random bits.
std::string uniquePart() {
#ifdef _WIN32
    const unsigned long process = GetCurrentProcessId();
#else
    const unsigned long process = static_cast<unsigned long>(getpid());
#endif
    const std::uint64_t bits = nextRandom();
    char text[48];
    std::snprintf(text, sizeof text, "%lx-%08x%08x", process, static_cast<unsigned>(bits >> 32),
                  static_cast<unsigned>(bits));
    return text;
}

#ifdef _WIN32
// CREATE_NEW fails on any existing name, a link included. Others may read
// and, so that a stop can remove it while it is open, delete the file.
std::FILE* createExclusive(const std::string& name, int& error, bool& taken) {
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = static_cast<int>(GetLastError());
        taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        // A missing folder is "not found", as the C library has always said.
        if (error == ERROR_PATH_NOT_FOUND) error = 2;
        return nullptr;
    }
    listTemporaryFile(name);
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
    std::FILE* f = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
    if (!f) {
        if (fd >= 0) _close(fd);
        else CloseHandle(h);
        error = 8;
        removeTemporaryFile(name);
    }
    return f;
}
#else
// O_EXCL fails on any existing name, a link included (O_NOFOLLOW says so
// twice).
std::FILE* createExclusive(const std::string& name, int& error, bool& taken) {
    // A stop between the create and the listing would leave the file.
    sigset_t stops, before;
    sigemptyset(&stops);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stops, signal);
    pthread_sigmask(SIG_BLOCK, &stops, &before);
    errno = 0;
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    const int openError = errno;
    if (fd >= 0) listTemporaryFile(name);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (fd < 0) {
        errno = openError;
        taken = errno == EEXIST;
        error = lastOsError() ? lastOsError() : 2;
        return nullptr;
    }
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        error = lastOsError() ? lastOsError() : 8;
        ::close(fd);
        removeTemporaryFile(name);
    }
    return f;
}

extern "C" void removeOnSignal(int signal) {
    removeTemporaryFilesNow();
    // The handler was reset to the default: the stop goes on as it began.
    std::raise(signal);
}
#endif

}  // namespace

std::FILE* createTemporaryFile(const std::string& target, std::string& name, int& error) {
    error = 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = target + "." + uniquePart() + ".zrtmp";
        bool taken = false;
        if (std::FILE* f = createExclusive(name, error, taken)) return f;
        if (!taken) break;
    }
    if (error == 0) error = kErrorAlreadyExists;
    name.clear();
    return nullptr;
}

void forgetTemporaryFile(const std::string& name) {
    for (int i = 0; i < StopList::kSlots; ++i) {
        if (stopList.state[i].load() != 2 || name != stopList.path[i]) continue;
        stopList.state[i].store(0);
        return;
    }
}

void removeTemporaryFile(const std::string& name) {
    if (name.empty()) return;
    std::error_code ec;
    std::filesystem::remove(name, ec);
    forgetTemporaryFile(name);
}

void removeTemporaryFilesNow() {
    for (int i = 0; i < StopList::kSlots; ++i) {
        if (stopList.state[i].load() != 2) continue;
#ifdef _WIN32
        DeleteFileA(stopList.path[i]);
#else
        ::unlink(stopList.path[i]);
#endif
        stopList.state[i].store(0);
    }
}

#ifdef _WIN32
namespace {
BOOL WINAPI removeOnConsoleStop(DWORD) {
    removeTemporaryFilesNow();
    return FALSE;  // the system's own handling ends the process
}
}  // namespace

void removeTemporaryFilesOnStop() { SetConsoleCtrlHandler(removeOnConsoleStop, TRUE); }
#else
void removeTemporaryFilesOnStop() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction before {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;  // nohup
        struct sigaction action {};
        action.sa_handler = removeOnSignal;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}
#endif

FileStamp fileStamp(const std::string& path) {
    FileStamp stamp;
#ifdef _WIN32
    stamp.kind = targetKind(path);
    if (stamp.kind == TargetKind::Missing) return stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.size = (std::uintmax_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    stamp.modified = static_cast<std::int64_t>((std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                               data.ftLastWriteTime.dwLowDateTime);
#else
    // One look tells the kind too (a folder run stamps every output).
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return stamp;
    stamp.kind = S_ISREG(st.st_mode) ? TargetKind::Regular : S_ISDIR(st.st_mode) ? TargetKind::Folder : TargetKind::Device;
    stamp.size = static_cast<std::uintmax_t>(st.st_size);
    stamp.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.id = (static_cast<std::uint64_t>(st.st_dev) << 40) ^ static_cast<std::uint64_t>(st.st_ino);
#endif
    return stamp;
}

int replaceFileIfUnchanged(const std::string& temp, const std::string& target, const FileStamp& seen) {
    if (seen.kind == TargetKind::Missing) {
        // Made only if still missing, in the same step as the move.
#ifdef _WIN32
        if (MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            forgetTemporaryFile(temp);
            return 0;
        }
        const int error = static_cast<int>(GetLastError());
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return kErrorAlreadyExists;
        return error != 0 ? error : 5;
#else
        errno = 0;
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
            forgetTemporaryFile(temp);
            return 0;
        }
        if (errno == EEXIST) return kErrorAlreadyExists;
        // A file system that cannot refuse to replace in the move: a hard
        // link made only where nothing stands, then the name dropped.
        errno = 0;
        if (::link(temp.c_str(), target.c_str()) == 0) {
            ::unlink(temp.c_str());
            forgetTemporaryFile(temp);
            return 0;
        }
        if (errno == EEXIST) return kErrorAlreadyExists;
        // A file system without hard links: the check and the move in two
        // steps.
#endif
    }
    if (fileStamp(target) != seen) return kErrorAlreadyExists;
    return replaceFile(temp, target);
}

std::FILE* openInPlace(const std::string& path, int& error) {
    error = 0;
    errno = 0;
#ifdef _WIN32
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) error = lastOsError() ? lastOsError() : 2;
    return f;
#else
    // Without O_NONBLOCK, opening a pipe nobody reads waits for ever.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno == ENXIO ? kErrorPipeNotConnected : (lastOsError() ? lastOsError() : 2);
        return nullptr;
    }
    // A reader is there: writes may wait for it as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        error = lastOsError() ? lastOsError() : 8;
        ::close(fd);
    }
    return f;
#endif
}

#ifdef _WIN32
// A one-byte range far past any file's end is locked: Windows locks bar
// writes to their range, and no append ever reaches that one.
int AppendLock::acquire(const std::string& path) {
    release();
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    OVERLAPPED at{};
    at.Offset = 0xFFFFFFFEu;
    at.OffsetHigh = 0x7FFFFFFFu;
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const DWORD error = GetLastError();
        CloseHandle(h);
        return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? kErrorLockViolation
                                                                          : static_cast<int>(error);
    }
    handle_ = h;
    return 0;
}

void AppendLock::release() {
    if (!handle_) return;
    CloseHandle(static_cast<HANDLE>(handle_));  // closing the handle unlocks
    handle_ = nullptr;
}
#else
int AppendLock::acquire(const std::string& path) {
    release();
    errno = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return lastOsError() != 0 ? lastOsError() : 2;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? kErrorLockViolation : (lastOsError() != 0 ? lastOsError() : 5);
        ::close(fd);
        return error;
    }
    fd_ = fd;
    return 0;
}

void AppendLock::release() {
    if (fd_ < 0) return;
    ::close(fd_);  // closing the descriptor unlocks
    fd_ = -1;
}
#endif

}  // namespace wl
