// The POSIX half of whole-file reading: a private mapping.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "file_bytes.hpp"

namespace wl {

void* mapFilePrivately(const std::string& path, std::size_t size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
    // All pages at once from the file cache: one call instead of a fault
    // per page. Read-only first: populating a writable private mapping
    // would copy every page.
    flags |= MAP_POPULATE;
#endif
    void* view = ::mmap(nullptr, size, PROT_READ, flags, fd, 0);
    ::close(fd);
    if (view == MAP_FAILED) return nullptr;
    // Writable afterwards: only the pages written to are copied.
    if (::mprotect(view, size, PROT_READ | PROT_WRITE) != 0) {
        ::munmap(view, size);
        return nullptr;
    }
    return view;
}

void unmapFile(void* view, std::size_t size) { ::munmap(view, size); }

}  // namespace wl
