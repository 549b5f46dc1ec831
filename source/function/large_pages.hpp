// An allocator for large tables (the rows of a loaded file): blocks of a
// few megabytes or more are mapped with all their pages at once, where the
// system can, so filling a table costs one call instead of a page fault per
// 4 KB (faults are expensive on virtual machines). Large pages were tried:
// the kernel compacts memory to find them, which costs more than it saves.
// Smaller blocks, and other systems, use the ordinary heap.
#pragma once

#include <cstddef>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace wl {

namespace large_pages_detail {
constexpr std::size_t kLargePage = std::size_t{2} << 20;

inline void* allocate(std::size_t bytes) {
#if defined(__linux__) && defined(MAP_POPULATE)
    if (bytes >= kLargePage) {
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        return p;
    }
#endif
    return ::operator new(bytes);
}

inline void release(void* p, std::size_t bytes) {
#if defined(__linux__) && defined(MAP_POPULATE)
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
