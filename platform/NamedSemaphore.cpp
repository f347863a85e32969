#include "platform/NamedSemaphore.h"

namespace varnel {

NamedSemaphore::NamedSemaphore(const QString& key)
    : semaphore_(key, 1, QSystemSemaphore::Open),
      valid_(semaphore_.error() == QSystemSemaphore::NoError) {}

void NamedSemaphore::acquire() {
    // A count-1 semaphore is not re-entrant: a second acquire on this thread would never return.
    if (valid_ && !held_) {
        held_ = semaphore_.acquire();
    }
}

void NamedSemaphore::release() {
    if (valid_ && held_) {
        semaphore_.release();
        held_ = false;
    }
}

} // namespace varnel
