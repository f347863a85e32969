#pragma once
// The application: builds the main window on the platform's prompts and registry and runs it.

#include <QStringList>

namespace varnel {

// Runs the window; `files` are documents named on the command line (the first one is opened).
int runApplication(int& argc, char** argv, const QStringList& files);

} // namespace varnel
