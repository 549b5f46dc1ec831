// Byte-range locks on a file, held through a handle of their own so that
// other programs sharing a table see them: a region locked here cannot be
// locked through another handle, in this process or another, until it is
// released or the holder ends. Tables lock as the dBASE convention does:
// one byte at 1,000,000,000 + n for record n, and 1,000,000,000 bytes from
// 1,000,000,000 for the whole file, far beyond the data, so reading and
// writing are never blocked by them.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>

namespace wl {

constexpr std::uint64_t kDbfLockBase = 1000000000;

class FileRegionLocks {
public:
    // The handle is opened at once, while the path still names the file
    // (a relative path may not, once the current folder changes). A file
    // that cannot be opened for writing has no regions to lock: its locks
    // hold within the process only, and lock() never refuses for it.
    explicit FileRegionLocks(std::string path);
    ~FileRegionLocks();
    FileRegionLocks(const FileRegionLocks&) = delete;
    FileRegionLocks& operator=(const FileRegionLocks&) = delete;

    // Locks the region at once or answers false (never waits) when another
    // handle holds part of it. A region already held here answers true.
    bool lock(std::uint64_t offset, std::uint64_t length);
    void unlock(std::uint64_t offset, std::uint64_t length);
    void unlockAll();

    bool lockRecord(std::uint32_t n) { return lock(kDbfLockBase + n, 1); }
    void unlockRecord(std::uint32_t n) { unlock(kDbfLockBase + n, 1); }
    bool lockFile() { return lock(kDbfLockBase, kDbfLockBase); }
    void unlockFile() { unlock(kDbfLockBase, kDbfLockBase); }

private:

    std::string path_;
    std::intptr_t handle_ = -1;  // a descriptor, or a Windows handle
    std::set<std::pair<std::uint64_t, std::uint64_t>> held_;
};

}  // namespace wl
