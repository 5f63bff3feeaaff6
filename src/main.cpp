#include "app/application.h"
#include "platform/memory.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

int main(int argc, char* argv[]) {
    tarvola::keepFreedMemory();
    QApplication qapp(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Qt's own dialogs (print, file, message box buttons) speak Italian too.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);
    // Every file the program reads or writes lives in the folder of its executable.
    tarvola::Application app(QCoreApplication::applicationDirPath());
    app.start();
    return qApp->exec();
}
