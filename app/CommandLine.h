#pragma once

namespace varnel {

// The program: parses the command line and runs the headless option asked for, or the window.
int runVarnel(int argc, char* argv[]);

} // namespace varnel
