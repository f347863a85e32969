#pragma once
// The program's end when nobody is there to answer a question: SIGTERM, SIGHUP and SIGINT (a
// logout, a shutdown, a kill, Ctrl+C) and the session manager's request to save. `save` runs
// first; then a signal ends the program as it would have without us, and the session's request
// leaves the event loop. The close questions are never asked.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace varnel {

class SessionEnd : public QObject {
    Q_OBJECT

public:
    explicit SessionEnd(std::function<void()> save, QObject* parent = nullptr);
    ~SessionEnd() override;

private:
    void onSignal();

    std::function<void()> save_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace varnel
