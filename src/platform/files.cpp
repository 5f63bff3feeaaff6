#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarvola::files {

bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool folderExists(const QString& path) {
    return QFileInfo(path).isDir();
}

bool makeFolder(const QString& path) {
    return QDir().mkpath(path) && folderExists(path);
}

bool copyFile(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            return false;
        }
    }
    return commitWhole(out);
}

bool commitWhole(QSaveFile& file) {
    if (!file.flush()) {
        file.cancelWriting();
        file.commit(); // removes the temporary file
        return false;
    }
    return file.commit();
}

QString join(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace tarvola::files
