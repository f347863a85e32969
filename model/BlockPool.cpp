#include "model/BlockPool.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>

#include <sys/mman.h>

namespace varnel {

// At the start of each chunk, followed by one bit per block (set: freed, to hand out again),
// then the blocks. Freed blocks are found in the map rather than through links kept in the
// blocks themselves: a freed block is cold, and following its link would cost a cache miss
// for every record a file read makes.
struct BlockPool::Chunk {
    std::size_t live = 0;           // blocks handed out and not yet freed
    std::size_t bumped = 0;         // blocks ever carved from the end
    std::size_t freed = 0;          // set bits in the map
    std::size_t firstFreedWord = 0; // no set bit before this word of the map
    Chunk* prevWithFree = nullptr;
    Chunk* nextWithFree = nullptr;
    bool linked = false;

    std::uint64_t* map() { return reinterpret_cast<std::uint64_t*>(this + 1); }
};

namespace {

constexpr std::size_t kBlockAlign = alignof(std::max_align_t);

std::size_t roundUp(std::size_t n, std::size_t to) {
    return (n + to - 1) / to * to;
}

std::size_t roundedBlockSize(std::size_t size) {
    return roundUp(size < kBlockAlign ? kBlockAlign : size, kBlockAlign);
}

} // namespace

BlockPool::BlockPool(std::size_t blockSize, bool passThrough)
    : blockSize_(roundedBlockSize(blockSize)), headerSize_(0), blocksPerChunk_(0),
      passThrough_(passThrough) {
    if (blockSize_ + sizeof(Chunk) + 64 > kChunkSize) {
        passThrough_ = true; // a block nearly as big as a chunk
        return;
    }
    const std::size_t most = (kChunkSize - sizeof(Chunk)) / blockSize_;
    headerSize_ = roundUp(sizeof(Chunk) + roundUp(most, 64) / 8, 64);
    blocksPerChunk_ = (kChunkSize - headerSize_) / blockSize_;
}

BlockPool::~BlockPool() {
    // Only the chunk blocks are carved from can be left, and then it is empty.
    if (current_ != nullptr && current_->live == 0) {
        std::free(current_);
    }
}

unsigned char* BlockPool::firstBlock(Chunk* c) const {
    return reinterpret_cast<unsigned char*>(c) + headerSize_;
}

void BlockPool::lock() const noexcept {
    while (lock_.test_and_set(std::memory_order_acquire)) {
        std::this_thread::yield();
    }
}

std::size_t BlockPool::chunkCount() const {
    lock();
    const std::size_t n = chunks_;
    unlock();
    return n;
}

void* BlockPool::allocate() {
    if (passThrough_) {
        return ::operator new(blockSize_);
    }
    lock();
    void* block = nullptr;
    try {
        block = allocateLocked();
    } catch (...) {
        unlock();
        throw;
    }
    unlock();
    return block;
}

void* BlockPool::allocateLocked() {
    // Fresh blocks first, in address order, then freed ones from the lowest address up.
    if (current_ != nullptr && current_->bumped < blocksPerChunk_) {
        void* block = firstBlock(current_) + current_->bumped * blockSize_;
        ++current_->bumped;
        ++current_->live;
        return block;
    }
    if (Chunk* c = withFree_) {
        std::uint64_t* map = c->map();
        std::size_t w = c->firstFreedWord;
        while (map[w] == 0) {
            ++w;
        }
        const auto bit = static_cast<std::size_t>(std::countr_zero(map[w]));
        map[w] &= map[w] - 1;
        c->firstFreedWord = w;
        if (--c->freed == 0) {
            unlinkWithFree(c);
        }
        ++c->live;
        return firstBlock(c) + (w * 64 + bit) * blockSize_;
    }
    void* memory = std::aligned_alloc(kChunkSize, kChunkSize);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    // Past the first chunk the list is large: one page fault per chunk instead of 512.
    if (chunks_ > 0) {
        ::madvise(memory, kChunkSize, MADV_HUGEPAGE);
    }
    // The full chunk stays while it has blocks out, and goes with the last of them.
    current_ = new (memory) Chunk;
    std::memset(current_->map(), 0, headerSize_ - sizeof(Chunk));
    ++chunks_;
    ++current_->bumped;
    ++current_->live;
    return firstBlock(current_);
}

void BlockPool::deallocate(void* block) noexcept {
    if (block == nullptr) {
        return;
    }
    if (passThrough_) {
        ::operator delete(block);
        return;
    }
    lock();
    deallocateLocked(block);
    unlock();
}

void BlockPool::deallocateLocked(void* block) noexcept {
    auto* bytes = static_cast<unsigned char*>(block);
    auto* c = reinterpret_cast<Chunk*>(
        bytes - (reinterpret_cast<std::uintptr_t>(bytes) & (std::uintptr_t{kChunkSize} - 1)));
    --c->live;
    if (c->live == 0) {
        unlinkWithFree(c);
        if (c == current_) {
            // Carved again from the start, in order.
            std::memset(c->map(), 0, (c->bumped + 63) / 64 * 8);
            c->bumped = 0;
            c->freed = 0;
            c->firstFreedWord = 0;
        } else {
            std::free(c);
            --chunks_;
        }
        return;
    }
    const std::size_t index =
        static_cast<std::size_t>(static_cast<unsigned char*>(block) - firstBlock(c)) / blockSize_;
    const std::size_t w = index / 64;
    c->map()[w] |= std::uint64_t{1} << (index % 64);
    c->firstFreedWord = c->freed == 0 ? w : std::min(c->firstFreedWord, w);
    ++c->freed;
    linkWithFree(c);
}

void BlockPool::linkWithFree(Chunk* c) noexcept {
    if (c->linked) {
        return;
    }
    c->linked = true;
    c->prevWithFree = nullptr;
    c->nextWithFree = withFree_;
    if (withFree_ != nullptr) {
        withFree_->prevWithFree = c;
    }
    withFree_ = c;
}

void BlockPool::unlinkWithFree(Chunk* c) noexcept {
    if (!c->linked) {
        return;
    }
    c->linked = false;
    if (c->prevWithFree != nullptr) {
        c->prevWithFree->nextWithFree = c->nextWithFree;
    } else {
        withFree_ = c->nextWithFree;
    }
    if (c->nextWithFree != nullptr) {
        c->nextWithFree->prevWithFree = c->prevWithFree;
    }
    c->prevWithFree = nullptr;
    c->nextWithFree = nullptr;
}

} // namespace varnel
