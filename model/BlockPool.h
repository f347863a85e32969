#pragma once
// Blocks of one size carved from large aligned chunks: a list of 100,000 records takes a few
// dozen allocations instead of one per record, and the records it reads lie side by side in
// memory, in file order. A chunk goes back to the heap when its last block is freed.

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace varnel {

class BlockPool {
public:
    static constexpr std::size_t kChunkSize = std::size_t{2} << 20;

    // `passThrough`: every block is its own heap allocation, so that the address sanitizer sees
    // each one (overruns, use after free, leaks).
    explicit BlockPool(std::size_t blockSize, bool passThrough = false);
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;
    // Only an empty pool may go: blocks still out would point into freed chunks.
    ~BlockPool();

    // Throws std::bad_alloc when the heap has no room for a new chunk.
    [[nodiscard]] void* allocate();
    void deallocate(void* block) noexcept;

    [[nodiscard]] std::size_t blockSize() const { return blockSize_; }
    [[nodiscard]] std::size_t blocksPerChunk() const { return blocksPerChunk_; }
    [[nodiscard]] std::size_t chunkCount() const;

    // One pool per block size for the whole program. It is never destroyed: records that
    // live until exit (or are left to the end of the process on purpose) still have it.
    template <std::size_t Size> static BlockPool& forSize();

private:
    struct Chunk;
    void* allocateLocked();
    void deallocateLocked(void* block) noexcept;
    void linkWithFree(Chunk* c) noexcept;
    void unlinkWithFree(Chunk* c) noexcept;
    void lock() const noexcept;
    void unlock() const noexcept { lock_.clear(std::memory_order_release); }

    [[nodiscard]] unsigned char* firstBlock(Chunk* c) const;

    std::size_t blockSize_;
    std::size_t headerSize_; // the chunk's bookkeeping and its map of freed blocks
    std::size_t blocksPerChunk_;
    bool passThrough_;
    Chunk* current_ = nullptr;  // blocks not yet handed out lie at its end
    Chunk* withFree_ = nullptr; // chunks with freed blocks to hand out again
    std::size_t chunks_ = 0;
    mutable std::atomic_flag lock_ = ATOMIC_FLAG_INIT;
};

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kPooledBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kPooledBlocks = false;
#else
inline constexpr bool kPooledBlocks = true;
#endif
#else
inline constexpr bool kPooledBlocks = true;
#endif

template <std::size_t Size> BlockPool& BlockPool::forSize() {
    static BlockPool* const pool = new BlockPool(Size, !kPooledBlocks);
    return *pool;
}

} // namespace varnel
