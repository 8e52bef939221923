// Huge-page memory through the C library and madvise; where the kernel
// declines huge pages the memory is still ordinary, correctly aligned memory.
#include "core/document/GridMemory.h"

#include <sys/mman.h>
#include <cstdlib>
#include <new>

namespace velmora {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

void* AllocateGridMemory(const std::size_t bytes) {
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t size = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* const memory = std::aligned_alloc(kHugePage, size == 0 ? kHugePage : size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
#ifdef MADV_HUGEPAGE
    ::madvise(memory, size, MADV_HUGEPAGE);  // only advice: failure changes nothing
#endif
    return memory;
}

void FreeGridMemory(void* const memory) noexcept {
    std::free(memory);
}

}  // namespace velmora
