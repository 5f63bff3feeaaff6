#include "app/application.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Every file the program reads or writes lives in the folder of its executable.
    tarvola::Application app(QCoreApplication::applicationDirPath());
    app.start();
    return qApp->exec();
}
