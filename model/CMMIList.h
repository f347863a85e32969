#pragma once
// A list of owned elements where `add` puts at the front and `at` counts from the oldest.
//
// Stored oldest first, so `at` is O(1) and `add` amortised O(1); the list's front (newest) is
// the vector's back. Lists, their element arrays and elements made by `emplace` come from
// block pools: reading a file makes thousands of small lists without a heap call for each.

#include "model/BlockPool.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace varnel {

// Arrays of up to 64 bytes from pools, larger ones from the heap.
template <typename U> struct PooledArrayAllocator {
    using value_type = U;
    PooledArrayAllocator() = default;
    template <typename V> PooledArrayAllocator(const PooledArrayAllocator<V>&) noexcept {}

    U* allocate(std::size_t n) {
        const std::size_t bytes = n * sizeof(U);
        if (bytes <= 16) {
            return static_cast<U*>(BlockPool::forSize<16>().allocate());
        }
        if (bytes <= 32) {
            return static_cast<U*>(BlockPool::forSize<32>().allocate());
        }
        if (bytes <= 64) {
            return static_cast<U*>(BlockPool::forSize<64>().allocate());
        }
        return static_cast<U*>(::operator new(bytes));
    }

    void deallocate(U* p, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(U);
        if (bytes <= 16) {
            BlockPool::forSize<16>().deallocate(p);
        } else if (bytes <= 32) {
            BlockPool::forSize<32>().deallocate(p);
        } else if (bytes <= 64) {
            BlockPool::forSize<64>().deallocate(p);
        } else {
            ::operator delete(p);
        }
    }

    template <typename V> bool operator==(const PooledArrayAllocator<V>&) const noexcept {
        return true;
    }
};

template <typename T> class CMMIList {
public:
    CMMIList() = default;
    CMMIList(const CMMIList&) = delete;
    CMMIList& operator=(const CMMIList&) = delete;
    CMMIList(CMMIList&& other) noexcept
        : items_(std::move(other.items_)), cursor_(std::exchange(other.cursor_, -1)) {
        other.items_.clear();
    }
    CMMIList& operator=(CMMIList&& other) noexcept {
        if (this != &other) {
            clear();
            items_.swap(other.items_);
            cursor_ = std::exchange(other.cursor_, -1);
        }
        return *this;
    }
    ~CMMIList() { clear(); }

    static void* operator new(std::size_t size) {
        return size == sizeof(CMMIList) ? BlockPool::forSize<sizeof(CMMIList)>().allocate()
                                        : ::operator new(size);
    }
    static void operator delete(void* p, std::size_t size) noexcept {
        if (size == sizeof(CMMIList)) {
            BlockPool::forSize<sizeof(CMMIList)>().deallocate(p);
        } else {
            ::operator delete(p);
        }
    }

    // Puts `e` at the front. A null element is refused.
    bool add(std::unique_ptr<T> e) {
        if (!e) {
            return false;
        }
        items_.push_back(nullptr);
        items_.back() = reinterpret_cast<Slot>(e.release());
        return true;
    }

    // Makes an element at the front, in pooled storage, and returns it. Handed out later
    // (detach, takeAll), it moves to a heap element of its own.
    template <typename... Args> T& emplace(Args&&... args) {
        if constexpr (kOwnAllocation || !std::is_move_constructible_v<T>) {
            auto e = std::make_unique<T>(std::forward<Args>(args)...);
            T& made = *e;
            add(std::move(e));
            return made;
        } else {
            items_.push_back(nullptr);
            BlockPool& pool = BlockPool::forSize<sizeof(T)>();
            void* memory = pool.allocate();
            T* made = nullptr;
            try {
                made = ::new (memory) T(std::forward<Args>(args)...);
            } catch (...) {
                pool.deallocate(memory);
                items_.pop_back();
                throw;
            }
            items_.back() = reinterpret_cast<Slot>(made) + kPooledBit;
            return *made;
        }
    }

    // Room for `n` elements in all, so that adding them moves nothing.
    void reserve(int n) {
        if (n > 0) {
            items_.reserve(static_cast<std::size_t>(n));
        }
    }

    [[nodiscard]] int count() const { return static_cast<int>(items_.size()); }
    [[nodiscard]] bool empty() const { return items_.empty(); }

    // Cursor iteration: first/next go front to back (newest to oldest), last/prev the other way.
    T* first() { return moveCursor(count() - 1); }
    T* next() { return cursor_ < 0 ? nullptr : moveCursor(cursor_ - 1); }
    T* last() { return moveCursor(0); }
    T* prev() { return cursor_ < 0 ? nullptr : moveCursor(cursor_ + 1); }

    // 1-based from the oldest element; null outside 1..count.
    [[nodiscard]] T* at(int i) const {
        return (i < 1 || i > count()) ? nullptr : element(items_[static_cast<std::size_t>(i - 1)]);
    }

    // First element, front to back, equal to `e`.
    [[nodiscard]] T* find(const T& e) const {
        const int i = indexOf(e);
        return i < 0 ? nullptr : element(items_[static_cast<std::size_t>(i)]);
    }

    bool remove(const T& e) { return detach(e) != nullptr; }

    // Unlinks the first element equal to `e` and hands it over.
    // The analyzer loses ownership in the tagged slots and reports a leak that is not there.
    // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
    std::unique_ptr<T> detach(const T& e) {
        const int i = indexOf(e);
        return i < 0 ? nullptr : unlinkAt(static_cast<std::size_t>(i));
    }
    // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)

    // Unlinks the element stored at this address, whatever it compares equal to.
    std::unique_ptr<T> detachExact(const T* e) {
        for (std::size_t i = items_.size(); i-- > 0;) {
            if (element(items_[i]) == e) {
                return unlinkAt(i);
            }
        }
        return nullptr;
    }

    // Destroys the first element equal to `e` and stores `n` in its place.
    bool replace(const T& e, std::unique_ptr<T> n) {
        const int i = indexOf(e);
        if (i < 0 || !n) {
            return false;
        }
        Slot& slot = items_[static_cast<std::size_t>(i)];
        destroy(std::exchange(slot, reinterpret_cast<Slot>(n.release())));
        return true;
    }

    // Front to back.
    template <typename Fn> void forEach(Fn&& fn) const {
        for (std::size_t i = items_.size(); i-- > 0;) {
            fn(*element(items_[i]));
        }
    }

    template <typename Fn> void forEach(Fn&& fn) {
        for (std::size_t i = items_.size(); i-- > 0;) {
            fn(*element(items_[i]));
        }
    }

    // Back to front: the order of insertion.
    template <typename Fn> void forEachReverse(Fn&& fn) const {
        for (const Slot e : items_) {
            fn(*element(e));
        }
    }

    void clear() {
        for (const Slot e : items_) {
            destroy(e);
        }
        items_.clear();
        cursor_ = -1;
    }

    // Takes every element out, oldest first.
    std::vector<std::unique_ptr<T>> takeAll() {
        cursor_ = -1;
        std::vector<std::unique_ptr<T>> out;
        out.reserve(items_.size());
        for (const Slot e : items_) {
            out.push_back(handOut(e));
        }
        items_.clear();
        return out;
    }

private:
    // Types with their own pooled `new` are always made that way.
    static constexpr bool kOwnAllocation = requires { T::operator new(sizeof(T)); };
    // Pooled and heap elements are told apart by the lowest address bit, always clear in an
    // element's address (every allocation is aligned to more than one byte).
    using Slot = unsigned char*;
    static constexpr std::uintptr_t kPooledBit = 1;

    static bool pooled(Slot e) { return (reinterpret_cast<std::uintptr_t>(e) & kPooledBit) != 0; }
    static T* element(Slot e) {
        return reinterpret_cast<T*>(e - (reinterpret_cast<std::uintptr_t>(e) & kPooledBit));
    }

    static void destroy(Slot e) noexcept {
        T* p = element(e);
        if (pooled(e)) {
            if constexpr (!kOwnAllocation && std::is_move_constructible_v<T>) {
                p->~T();
                BlockPool::forSize<sizeof(T)>().deallocate(p);
            }
        } else {
            delete p;
        }
    }

    static std::unique_ptr<T> handOut(Slot e) {
        if (pooled(e)) {
            if constexpr (!kOwnAllocation && std::is_move_constructible_v<T>) {
                auto out = std::make_unique<T>(std::move(*element(e)));
                destroy(e);
                return out;
            }
        }
        return std::unique_ptr<T>(element(e));
    }

    std::unique_ptr<T> unlinkAt(std::size_t i) {
        const Slot e = items_[i];
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
        cursor_ = -1;
        return handOut(e);
    }

    T* moveCursor(int i) {
        if (i < 0 || i >= count()) {
            cursor_ = -1;
            return nullptr;
        }
        cursor_ = i;
        return element(items_[static_cast<std::size_t>(i)]);
    }

    [[nodiscard]] int indexOf(const T& e) const {
        for (int i = count() - 1; i >= 0; --i) {
            if (*element(items_[static_cast<std::size_t>(i)]) == e) {
                return i;
            }
        }
        return -1;
    }

    std::vector<Slot, PooledArrayAllocator<Slot>> items_; // oldest first
    int cursor_ = -1;
};

} // namespace varnel
