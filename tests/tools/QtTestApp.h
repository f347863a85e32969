#pragma once
// One QApplication for the whole test program, created on first use, with HOME and the XDG
// folders in a temporary directory so that nothing a test writes reaches the real ones.

#include "ui/ShownPrompt.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdlib>
#include <ostream>

namespace varnel::test {

inline QApplication& qtTestApp() {
    static QApplication* app = [] {
        const QByteArray root = QDir::tempPath().toLocal8Bit() + "/varnel-app-tests-XXXXXX";
        static QByteArray home = root;
        if (!mkdtemp(home.data())) {
            std::abort();
        }
        const auto put = [](const char* name, const QByteArray& sub) {
            const QByteArray path = home + sub;
            QDir().mkpath(QString::fromLocal8Bit(path));
            setenv(name, path.constData(), 1);
        };
        put("HOME", "");
        put("XDG_CONFIG_HOME", "/.config");
        put("XDG_DATA_HOME", "/.local/share");
        put("XDG_CACHE_HOME", "/.cache");
        put("XDG_STATE_HOME", "/.local/state");
        put("XDG_RUNTIME_DIR", "/runtime");
        QFile::setPermissions(QString::fromLocal8Bit(home + "/runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        std::atexit([] { QDir(QString::fromLocal8Bit(home)).removeRecursively(); });
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        // Never destroyed: widgets in function-local statics may outlive any exit order.
        return new QApplication(argc, argv);
    }();
    return *app;
}

} // namespace varnel::test

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace varnel {
inline void PrintTo(const ShownPrompt& p, std::ostream* os) {
    *os << p.describe().toStdString();
}
} // namespace varnel
