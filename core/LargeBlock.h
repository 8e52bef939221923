// Zeroed memory for the program's large blocks: the map grid and big
// pictures. It is mapped in 2 MiB-aligned pieces and the kernel is asked to
// back it with huge pages: touching fresh memory costs a fault per 4 KiB page,
// and on virtual machines those faults can cost more than the work done in
// the memory itself (a 4 MB grid is a thousand of them).
#pragma once

#include <cstddef>

namespace velmora {

class LargeBlock {
public:
    // Throws std::bad_alloc when the memory cannot be had. A block of 0 bytes
    // holds nothing and maps nothing.
    explicit LargeBlock(std::size_t bytes);
    ~LargeBlock();
    LargeBlock(LargeBlock&& other) noexcept;
    LargeBlock& operator=(LargeBlock&& other) noexcept;
    LargeBlock(const LargeBlock&) = delete;
    LargeBlock& operator=(const LargeBlock&) = delete;

    void* Data() const { return data_; }
    std::size_t Size() const { return size_; }

private:
    void Release() noexcept;

    void* mapping_ = nullptr;  // what the system mapped, aligned or not
    std::size_t mappedBytes_ = 0;
    void* data_ = nullptr;  // the first 2 MiB boundary within it
    std::size_t size_ = 0;
};

}  // namespace velmora
