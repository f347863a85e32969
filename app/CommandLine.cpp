#include "app/CommandLine.h"

#include <QCoreApplication>

namespace varnel {

int runVarnel(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    return 0;
}

} // namespace varnel
