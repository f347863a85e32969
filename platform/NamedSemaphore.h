#pragma once
// The semaphore shared by every running copy of the program, held around the display-text
// answer and the re-ordering of group members.

#include <QString>
#include <QSystemSemaphore>

namespace varnel {

class NamedSemaphore {
public:
    explicit NamedSemaphore(const QString& key = QStringLiteral("SemName"));

    // False when the system refused the semaphore; the program then runs unlocked, which is
    // safe within one process (there is one thread).
    [[nodiscard]] bool valid() const { return valid_; }

    void acquire();
    void release();

    class Guard {
    public:
        explicit Guard(NamedSemaphore& s) : s_(s) { s_.acquire(); }
        ~Guard() { s_.release(); }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        NamedSemaphore& s_;
    };

private:
    QSystemSemaphore semaphore_;
    bool valid_ = false;
    bool held_ = false;
};

} // namespace varnel
