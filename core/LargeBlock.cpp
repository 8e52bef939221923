// Large blocks as anonymous mappings: zeroed by the system, aligned by hand.
#include "core/LargeBlock.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>
#include <utility>

namespace velmora {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

LargeBlock::LargeBlock(const std::size_t bytes) : size_(bytes) {
    if (bytes == 0) {
        return;
    }
    // Huge pages need 2 MiB alignment: map one piece more and start at the
    // first boundary inside.
    const std::size_t pieces = (bytes + kHugePage - 1) / kHugePage;
    mappedBytes_ = (pieces + 1) * kHugePage;
    mapping_ =
        ::mmap(nullptr, mappedBytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping_ == MAP_FAILED) {
        mapping_ = nullptr;
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapping_);
    data_ = reinterpret_cast<void*>((start + kHugePage - 1) & ~(kHugePage - 1));
    // Only advice: without huge pages the block works as well, only slower.
    ::madvise(data_, pieces * kHugePage, MADV_HUGEPAGE);
}

LargeBlock::~LargeBlock() {
    Release();
}

LargeBlock::LargeBlock(LargeBlock&& other) noexcept
    : mapping_(std::exchange(other.mapping_, nullptr)),
      mappedBytes_(std::exchange(other.mappedBytes_, 0)),
      data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)) {}

LargeBlock& LargeBlock::operator=(LargeBlock&& other) noexcept {
    if (this != &other) {
        Release();
        mapping_ = std::exchange(other.mapping_, nullptr);
        mappedBytes_ = std::exchange(other.mappedBytes_, 0);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void LargeBlock::Release() noexcept {
    if (mapping_ != nullptr) {
        ::munmap(mapping_, mappedBytes_);
        mapping_ = nullptr;
    }
}

}  // namespace velmora
