#include "app/application.h"
#include "platform/fonts.h"
#include "platform/memory.h"
#include "platform/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

namespace {

// A portable folder brings its own Qt plugins. Qt finds them through the folder's qt.conf,
// which it looks for next to the process's executable: started through the dynamic loader,
// that is the loader's folder, so the plugins are named here before Qt looks for them. They
// are the only ones: plugins of the PC's own Qt, which a desktop session may name in
// QT_PLUGIN_PATH, do not match the folder's Qt.
void useFolderPlugins(const QString& folder) {
    const QString plugins = QDir(folder).filePath(QStringLiteral("plugins"));
    if (!folder.isEmpty() && QDir(plugins).exists())
        qputenv("QT_PLUGIN_PATH", QFile::encodeName(plugins));
}

// Qt's own texts in Italian: the folder's copy where it has one, else the system's.
QString translationsFolder(const QString& folder) {
    const QString own = QDir(folder).filePath(QStringLiteral("translations"));
    return QDir(own).exists() ? own : QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

} // namespace

int main(int argc, char* argv[]) {
    tarvola::keepFreedMemory();
    // Every file the program reads or writes lives in the folder of its executable.
    QString folder =
        tarvola::startup::programFolder(argc > 0 ? QString::fromLocal8Bit(argv[0]) : QString());
    useFolderPlugins(folder);
    QApplication qapp(argc, argv);
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    tarvola::fonts::loadBundled(folder);
    // Qt's own dialogs (print, file, message box buttons) speak Italian too.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                       QStringLiteral("_"), translationsFolder(folder)))
        QApplication::installTranslator(&qtItalian);
    tarvola::Application app(folder);
    app.start();
    return qApp->exec();
}
