#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace tarvola::testing {

// What another station does to an archive between a load and a save: writes its bytes over
// the file at offset, as a station of the older program does, without any lock.
inline void overwriteAt(const QString& path, qint64 offset, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(offset) || file.write(bytes) != bytes.size())
        QTest::qFail("cannot write over the archive", __FILE__, __LINE__);
}

} // namespace tarvola::testing
