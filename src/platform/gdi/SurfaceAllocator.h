// Storage for large pixel surfaces. Painting walks a surface down its rows (a column of
// controls, a glyph's sixteen rows), and with 4 KiB pages each row of a wide surface sits on a
// page of its own: the translation misses cost more than the blending. Surfaces of 2 MiB and
// more are therefore aligned to 2 MiB and offered to the kernel as huge pages; smaller ones use
// the ordinary heap.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace orvane::platform {

template <class T>
struct SurfaceAllocator {
    using value_type = T;
    static constexpr std::size_t kHuge = std::size_t{2} << 20;

    SurfaceAllocator() = default;
    template <class U>
    SurfaceAllocator(const SurfaceAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHuge) return static_cast<T*>(::operator new(bytes));
        const std::size_t rounded = (bytes + kHuge - 1) / kHuge * kHuge;
        void* p = std::aligned_alloc(kHuge, rounded);
        if (!p) throw std::bad_alloc();
        ::madvise(p, rounded, MADV_HUGEPAGE);  // advice only: fine if refused
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t n) noexcept {
        if (n * sizeof(T) < kHuge)
            ::operator delete(p);
        else
            std::free(p);
    }
    template <class U>
    bool operator==(const SurfaceAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace orvane::platform
