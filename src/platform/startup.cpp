#include "platform/startup.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace tarvola::startup {

bool isDynamicLoader(const QString& path) {
    static const QRegularExpression loader(
        QStringLiteral(R"(^ld(-[A-Za-z0-9_.+-]+)?\.so(\.[0-9]+)*$)"));
    return loader.match(QFileInfo(path).fileName()).hasMatch();
}

QString programFolderOf(const QString& processExecutable, const QString& startedAs,
                        const QString& workingFolder) {
    if (processExecutable.isEmpty())
        return {};
    if (!isDynamicLoader(processExecutable))
        return QFileInfo(processExecutable).absolutePath();
    if (startedAs.isEmpty() || isDynamicLoader(startedAs))
        return {};
    const QFileInfo program(QDir(workingFolder), startedAs);
    // The folder is that of the executable itself, as /proc/self/exe gives it when the
    // program starts on its own: a link to it does not move its folder.
    const QString real = program.canonicalFilePath();
    return QFileInfo(real.isEmpty() ? program.absoluteFilePath() : real).absolutePath();
}

QString programFolder(const QString& startedAs) {
#if defined(Q_OS_LINUX)
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return programFolderOf(executable, startedAs, QDir::currentPath());
#else
    Q_UNUSED(startedAs);
    return {};
#endif
}

} // namespace tarvola::startup
