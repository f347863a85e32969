#include "app/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace varnel {

namespace {

constexpr std::array kSignals{SIGTERM, SIGHUP, SIGINT};

// The handler only writes the signal's number here: nothing else is safe inside it.
int signalPipe[2] = {-1, -1};

extern "C" void onEndSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    (void)!::write(signalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

SessionEnd::SessionEnd(std::function<void()> save, QObject* parent)
    : QObject(parent), save_(std::move(save)) {
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
    }
    if (signalPipe[0] >= 0) {
        notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::onSignal);
        struct sigaction action {};
        action.sa_handler = onEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int s : kSignals) {
            ::sigaction(s, &action, nullptr);
        }
    }
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
            save_();
            QCoreApplication::exit(0);
        });
    }
}

SessionEnd::~SessionEnd() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int s : kSignals) {
        ::sigaction(s, &action, nullptr);
    }
}

void SessionEnd::onSignal() {
    unsigned char byte = 0;
    if (::read(signalPipe[0], &byte, 1) != 1) {
        return;
    }
    save_();
    // As the signal would have ended the program without us.
    std::signal(byte, SIG_DFL);
    std::raise(byte);
    ::_exit(128 + byte);
}

} // namespace varnel
