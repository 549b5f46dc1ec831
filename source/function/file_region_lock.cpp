#include "file_region_lock.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace wl {

#ifdef _WIN32

namespace {
HANDLE regionHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }
OVERLAPPED regionAt(std::uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}
}  // namespace

FileRegionLocks::FileRegionLocks(std::string path) : path_(std::move(path)) {
    HANDLE h = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) handle_ = reinterpret_cast<std::intptr_t>(h);
}

bool FileRegionLocks::lock(std::uint64_t offset, std::uint64_t length) {
    if (held_.count({offset, length})) return true;
    if (handle_ == -1) return true;
    OVERLAPPED at = regionAt(offset);
    if (!LockFileEx(regionHandle(handle_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                    static_cast<DWORD>(length & 0xFFFFFFFFu), static_cast<DWORD>(length >> 32), &at))
        return false;
    held_.insert({offset, length});
    return true;
}

void FileRegionLocks::unlock(std::uint64_t offset, std::uint64_t length) {
    if (!held_.erase({offset, length}) || handle_ == -1) return;
    OVERLAPPED at = regionAt(offset);
    UnlockFileEx(regionHandle(handle_), 0, static_cast<DWORD>(length & 0xFFFFFFFFu), static_cast<DWORD>(length >> 32),
                 &at);
}

FileRegionLocks::~FileRegionLocks() {
    unlockAll();
    if (handle_ != -1) CloseHandle(regionHandle(handle_));
}

#else

namespace {
// Locks of the open file description: they belong to this handle alone,
// so closing another descriptor of the same file in the process keeps
// them, and another handle in the process conflicts as another program
// does.
bool regionLock(int fd, short type, std::uint64_t offset, std::uint64_t length) {
    struct flock f {};
    f.l_type = type;
    f.l_whence = SEEK_SET;
    f.l_start = static_cast<off_t>(offset);
    f.l_len = static_cast<off_t>(length);
    f.l_pid = 0;
    return fcntl(fd, F_OFD_SETLK, &f) == 0;
}
}  // namespace

FileRegionLocks::FileRegionLocks(std::string path) : path_(std::move(path)) {
    const int fd = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) handle_ = fd;
}

bool FileRegionLocks::lock(std::uint64_t offset, std::uint64_t length) {
    if (held_.count({offset, length})) return true;
    if (handle_ != -1 && !regionLock(static_cast<int>(handle_), F_WRLCK, offset, length)) return false;
    held_.insert({offset, length});
    return true;
}

void FileRegionLocks::unlock(std::uint64_t offset, std::uint64_t length) {
    if (!held_.erase({offset, length}) || handle_ == -1) return;
    regionLock(static_cast<int>(handle_), F_UNLCK, offset, length);
}

FileRegionLocks::~FileRegionLocks() {
    unlockAll();
    if (handle_ != -1) ::close(static_cast<int>(handle_));
}

#endif

void FileRegionLocks::unlockAll() {
    while (!held_.empty()) {
        const auto region = *held_.begin();
        unlock(region.first, region.second);
    }
}

}  // namespace wl
