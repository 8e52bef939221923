// Memory for a map grid's four megabytes of cells: aligned to and sized in
// 2 MB steps and offered to the kernel for huge pages, so that a new grid
// costs two page faults instead of about a thousand. On virtual machines a
// page fault can cost tens of microseconds, which made merely allocating the
// two grids of a map comparison take longer than reading both files.
#pragma once

#include <cstddef>

namespace velmora {

// Never returns null: throws std::bad_alloc instead.
void* AllocateGridMemory(std::size_t bytes);
void FreeGridMemory(void* memory) noexcept;

template <typename T>
struct GridAllocator {
    using value_type = T;

    GridAllocator() = default;
    template <typename U>
    explicit GridAllocator(const GridAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        return static_cast<T*>(AllocateGridMemory(count * sizeof(T)));
    }
    void deallocate(T* memory, std::size_t) noexcept { FreeGridMemory(memory); }

    friend bool operator==(const GridAllocator&, const GridAllocator&) = default;
};

}  // namespace velmora
