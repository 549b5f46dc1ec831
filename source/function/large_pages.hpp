// An allocator for large tables (the rows of a loaded file): blocks of a
// few megabytes or more come on large pages where the system offers them,
// so filling a table costs one page fault per 2 MB instead of one per 4 KB
// (faults are expensive on virtual machines). Smaller blocks, and systems
// without large pages, use the ordinary heap.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace wl {

namespace large_pages_detail {
constexpr std::size_t kLargePage = std::size_t{2} << 20;

inline void* allocate(std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes >= kLargePage) {
        const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
        void* p = std::aligned_alloc(kLargePage, rounded);
        if (!p) throw std::bad_alloc();
        madvise(p, rounded, MADV_HUGEPAGE);  // a hint: refused, the pages stay small
        return p;
    }
#endif
    return ::operator new(bytes);
}

inline void release(void* p, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes >= kLargePage) {
        std::free(p);
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
    template <class U>
    bool operator==(const LargePageAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace wl
