// An allocator for large tables (the rows of a loaded file). On Linux,
// blocks of a few megabytes or more start on a 2 MB boundary, are marked
// for the system's large pages and are mapped writable at once: a table of
// millions of rows then costs a few dozen page faults instead of one per
// 4 KB. On virtual machines that shadow the page tables the first write to
// each fresh 4 KB page is expensive even when it was populated (an 80 MB
// table took 150 ms to fill the first time, 3 ms the second); with large
// pages both fills take about the same. Where the system has no large
// pages for us the block is still populated at once. Smaller blocks, and
// other systems, use the ordinary heap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace wl {

namespace large_pages_detail {
constexpr std::size_t kLargePage = std::size_t{2} << 20;

#if defined(__linux__)
// Maps `bytes` starting on a large
// page boundary: one large page more is reserved and the ends cut off.
inline void* mapAligned(std::size_t bytes) {
    const std::size_t span = bytes + kLargePage;
    char* raw = static_cast<char*>(mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(raw);
    char* start = raw + ((kLargePage - at % kLargePage) % kLargePage);
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    char* end = start + (bytes + page - 1) / page * page;
    if (start > raw) munmap(raw, static_cast<std::size_t>(start - raw));
    if (raw + span > end) munmap(end, static_cast<std::size_t>(raw + span - end));
    return start;
}
#endif

inline void* allocate(std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= kLargePage) {
        void* p = mapAligned(bytes);
#if defined(MADV_HUGEPAGE)
        madvise(p, bytes, MADV_HUGEPAGE);  // a refusal leaves ordinary pages
#endif
#if defined(MADV_POPULATE_WRITE)
        madvise(p, bytes, MADV_POPULATE_WRITE);  // older kernels fault lazily instead
#endif
        return p;
    }
#endif
    return ::operator new(bytes);
}

inline void release(void* p, std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= kLargePage) {
        munmap(p, bytes);
        return;
    }
#endif
    (void)bytes;
    ::operator delete(p);
}
}  // namespace large_pages_detail

template <class T>
struct LargePageAllocator {
    using value_type = T;
    LargePageAllocator() = default;
    template <class U>
    LargePageAllocator(const LargePageAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(large_pages_detail::allocate(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { large_pages_detail::release(p, n * sizeof(T)); }
    // Elements made without a value are left as they are (default
    // initialisation): a table sized before it is filled is not written twice.
    template <class U>
    void construct(U* p) noexcept(noexcept(::new (static_cast<void*>(p)) U)) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(static_cast<Args&&>(args)...);
    }
    template <class U>
    bool operator==(const LargePageAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace wl
