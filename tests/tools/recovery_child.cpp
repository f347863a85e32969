// The main window in a process of its own, for the tests that end it from outside: opens the
// gear list in FOLDER offscreen, keeps recovery copies in STATE, clears the check marks with the
// window's button, says "edited" and waits for its end.

#include "app/CommandIds.h"
#include "app/SessionEnd.h"
#include "app/TMiravo99DlgClient.h"
#include "app/TSDIDecFrame.h"
#include "model/MemoryRegistry.h"
#include "ui/ScriptedPrompts.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    using namespace varnel;
    if (argc != 3) {
        std::fputs("usage: recovery_child FOLDER STATE\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    ScriptedPrompts prompts([](const QString& what) {
        std::fprintf(stderr, "unexpected: %s\n", qPrintable(what));
        std::_Exit(3);
    });
    MemoryRegistry registry;
    MemoryRegistry hotSync;
    ClientEnvironment env;
    env.prompts = &prompts;
    env.settingsRegistry = &registry;
    env.hotSyncRegistry = &hotSync;
    env.currentFolder = argv[1];
    env.recoveryFolder = argv[2];
    env.runDialog = [](QDialog&) { return 0; };
    auto* client = new TMiravo99DlgClient(env);
    TSDIDecFrame frame(client);
    client->setupWindow();
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame)) {
        return 4;
    }
    const SessionEnd end([client] { client->writeRecoveryNow(); });
    QTest::mouseClick(client->button(ctl::ClearSelected), Qt::LeftButton);
    std::puts("edited");
    std::fflush(stdout);
    return QApplication::exec();
}
