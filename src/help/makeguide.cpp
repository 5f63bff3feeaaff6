// Writes Guida.pdf at build time, so the guide shipped with the program always says what
// the help windows say.
#include "help/guide.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "uso: tarvola-guida <percorso di Guida.pdf>\n");
        return 2;
    }
    if (!tarvola::guide::writePdf(args[1])) {
        std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
