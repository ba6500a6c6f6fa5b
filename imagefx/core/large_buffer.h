// Storage for picture-sized buffers: large ones start on a 2 MiB boundary and are offered
// huge pages, so that the row loops streaming through them rarely wait on a page walk.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace imagefx {

template <class T>
struct LargeBufferAllocator {
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;

    LargeBufferAllocator() = default;
    template <class U>
    LargeBufferAllocator(const LargeBufferAllocator<U>&) {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHugePage) return static_cast<T*>(::operator new(bytes));
        const std::size_t whole = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* p = std::aligned_alloc(kHugePage, whole);
        if (!p) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        madvise(p, whole, MADV_HUGEPAGE);  // only advice: ordinary pages serve as well
#endif
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t n) noexcept {
        if (n * sizeof(T) < kHugePage)
            ::operator delete(p);
        else
            std::free(p);
    }
    template <class U>
    bool operator==(const LargeBufferAllocator<U>&) const { return true; }
};

template <class T>
using LargeBuffer = std::vector<T, LargeBufferAllocator<T>>;

}  // namespace imagefx
