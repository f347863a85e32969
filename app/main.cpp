#include "app/CommandLine.h"

int main(int argc, char* argv[]) {
    return varnel::runVarnel(argc, argv);
}
