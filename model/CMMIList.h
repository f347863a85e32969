#pragma once
// A list of owned elements where `add` puts at the front and `at` counts from the oldest.
//
// Stored oldest first, so `at` is O(1) and `add` amortised O(1); the list's front (newest) is
// the vector's back.

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace varnel {

template <typename T> class CMMIList {
public:
    CMMIList() = default;
    CMMIList(const CMMIList&) = delete;
    CMMIList& operator=(const CMMIList&) = delete;
    CMMIList(CMMIList&&) noexcept = default;
    CMMIList& operator=(CMMIList&&) noexcept = default;
    ~CMMIList() = default;

    // Puts `e` at the front. A null element is refused.
    bool add(std::unique_ptr<T> e) {
        if (!e) {
            return false;
        }
        items_.push_back(std::move(e));
        return true;
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
        return (i < 1 || i > count()) ? nullptr : items_[static_cast<std::size_t>(i - 1)].get();
    }

    // First element, front to back, equal to `e`.
    [[nodiscard]] T* find(const T& e) const {
        const int i = indexOf(e);
        return i < 0 ? nullptr : items_[static_cast<std::size_t>(i)].get();
    }

    bool remove(const T& e) { return detach(e) != nullptr; }

    // Unlinks the first element equal to `e` and hands it over.
    std::unique_ptr<T> detach(const T& e) {
        const int i = indexOf(e);
        if (i < 0) {
            return nullptr;
        }
        std::unique_ptr<T> out = std::move(items_[static_cast<std::size_t>(i)]);
        items_.erase(items_.begin() + i);
        cursor_ = -1;
        return out;
    }

    // Unlinks the element stored at this address, whatever it compares equal to.
    std::unique_ptr<T> detachExact(const T* e) {
        for (std::size_t i = items_.size(); i-- > 0;) {
            if (items_[i].get() == e) {
                std::unique_ptr<T> out = std::move(items_[i]);
                items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
                cursor_ = -1;
                return out;
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
        items_[static_cast<std::size_t>(i)] = std::move(n);
        return true;
    }

    // Front to back.
    template <typename Fn> void forEach(Fn&& fn) const {
        for (std::size_t i = items_.size(); i-- > 0;) {
            fn(*items_[i]);
        }
    }

    template <typename Fn> void forEach(Fn&& fn) {
        for (std::size_t i = items_.size(); i-- > 0;) {
            fn(*items_[i]);
        }
    }

    // Back to front: the order of insertion.
    template <typename Fn> void forEachReverse(Fn&& fn) const {
        for (const auto& e : items_) {
            fn(*e);
        }
    }

    void clear() {
        items_.clear();
        cursor_ = -1;
    }

    // Takes every element out, oldest first.
    std::vector<std::unique_ptr<T>> takeAll() {
        cursor_ = -1;
        return std::exchange(items_, {});
    }

private:
    T* moveCursor(int i) {
        if (i < 0 || i >= count()) {
            cursor_ = -1;
            return nullptr;
        }
        cursor_ = i;
        return items_[static_cast<std::size_t>(i)].get();
    }

    [[nodiscard]] int indexOf(const T& e) const {
        for (int i = count() - 1; i >= 0; --i) {
            if (*items_[static_cast<std::size_t>(i)] == e) {
                return i;
            }
        }
        return -1;
    }

    std::vector<std::unique_ptr<T>> items_; // oldest first
    int cursor_ = -1;
};

} // namespace varnel
