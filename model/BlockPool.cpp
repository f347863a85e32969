#include "model/BlockPool.h"

#include <cstdlib>
#include <new>
#include <thread>

namespace varnel {

// At the start of each chunk; blocks follow it.
struct BlockPool::Chunk {
    void* freeList = nullptr; // freed blocks, each holding the next one's address
    std::size_t live = 0;     // blocks handed out and not yet freed
    std::size_t bumped = 0;   // blocks ever carved from the end
    Chunk* prevWithFree = nullptr;
    Chunk* nextWithFree = nullptr;
    bool linked = false;

    unsigned char* firstBlock() { return reinterpret_cast<unsigned char*>(this) + kHeaderSize; }
    static constexpr std::size_t kHeaderSize = 64;
};

namespace {

constexpr std::size_t kBlockAlign = alignof(std::max_align_t);

std::size_t roundedBlockSize(std::size_t size) {
    const std::size_t s = size < sizeof(void*) ? sizeof(void*) : size;
    return (s + kBlockAlign - 1) / kBlockAlign * kBlockAlign;
}

} // namespace

BlockPool::BlockPool(std::size_t blockSize, bool passThrough)
    : blockSize_(roundedBlockSize(blockSize)),
      blocksPerChunk_((kChunkSize - Chunk::kHeaderSize) / blockSize_), passThrough_(passThrough) {
    static_assert(sizeof(Chunk) <= Chunk::kHeaderSize);
    if (blocksPerChunk_ == 0) {
        passThrough_ = true; // a block bigger than a chunk
    }
}

BlockPool::~BlockPool() {
    // Only the chunk blocks are carved from can be left, and then it is empty.
    if (current_ != nullptr && current_->live == 0) {
        std::free(current_);
    }
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
    // Fresh blocks first, in address order: a freed block is cold, and following its link costs
    // a cache miss that reading a file would pay for every record.
    if (current_ != nullptr && current_->bumped < blocksPerChunk_) {
        void* block = current_->firstBlock() + current_->bumped * blockSize_;
        ++current_->bumped;
        ++current_->live;
        return block;
    }
    if (Chunk* c = withFree_) {
        void* block = c->freeList;
        c->freeList = *static_cast<void**>(block);
        if (c->freeList == nullptr) {
            unlinkWithFree(c);
        }
        ++c->live;
        return block;
    }
    void* memory = std::aligned_alloc(kChunkSize, kChunkSize);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    // The full chunk stays while it has blocks out, and goes with the last of them.
    current_ = new (memory) Chunk;
    ++chunks_;
    ++current_->bumped;
    ++current_->live;
    return current_->firstBlock();
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
    auto* c = reinterpret_cast<Chunk*>(reinterpret_cast<std::uintptr_t>(block) &
                                       ~(std::uintptr_t{kChunkSize} - 1));
    --c->live;
    if (c->live == 0) {
        unlinkWithFree(c);
        if (c == current_) {
            // Carved again from the start, in order.
            c->freeList = nullptr;
            c->bumped = 0;
        } else {
            std::free(c);
            --chunks_;
        }
        return;
    }
    *static_cast<void**>(block) = c->freeList;
    c->freeList = block;
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
