// Prints the program folder this process finds for itself, as main does, so a test can start
// it on its own, through a link and through the dynamic loader.
#include "platform/startup.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    const QString folder =
        tarvola::startup::programFolder(argc > 0 ? QString::fromLocal8Bit(argv[0]) : QString());
    std::fputs(folder.toLocal8Bit().constData(), stdout);
    return folder.isEmpty() ? 1 : 0;
}
