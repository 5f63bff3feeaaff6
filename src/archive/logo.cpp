#include "archive/logo.h"

#include "platform/files.h"

#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

namespace tarvola::logo {

QImage defaultLogo() {
    QImage image(defaultWidth, defaultHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer renderer(QStringLiteral(":/images/caduceo.svg"));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, defaultWidth, defaultHeight));
    return image;
}

namespace {

quint32 le32(const QByteArray& d, int at) {
    return quint32(quint8(d[at])) | quint32(quint8(d[at + 1])) << 8 |
           quint32(quint8(d[at + 2])) << 16 | quint32(quint8(d[at + 3])) << 24;
}

// A bitmap cut short (a copy interrupted, a full stick) still decodes into a picture with
// garbage at the bottom; its header says how long it should be.
bool truncatedBitmap(const QByteArray& data) {
    if (!data.startsWith("BM"))
        return false;
    if (data.size() < 34)
        return true;
    const quint32 declared = le32(data, 2);
    if (declared != 0 && quint32(data.size()) < declared)
        return true;
    const quint32 offset = le32(data, 10);
    const qint64 width = qint32(le32(data, 18));
    const qint64 height = qAbs(qint64(qint32(le32(data, 22))));
    const int bits = quint8(data[28]) | quint8(data[29]) << 8;
    const quint32 compression = le32(data, 30);
    if (compression != 0 && compression != 3) // run-length data has no fixed size
        return false;
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return qint64(offset) + stride * height > data.size();
}

} // namespace

QImage load(const QString& programFolder) {
    QFile file(files::join(programFolder, QString::fromLatin1(fileName)));
    if (!file.open(QIODevice::ReadOnly))
        return defaultLogo();
    const QByteArray data = file.readAll();
    if (truncatedBitmap(data))
        return defaultLogo();
    QImage image;
    if (!image.loadFromData(data))
        return defaultLogo();
    return image;
}

bool save(const QString& programFolder, const QImage& image) {
    QSaveFile file(files::join(programFolder, QString::fromLatin1(fileName)));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A bitmap keeps no transparency: what shows through is white, as on paper.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter(&opaque).drawImage(0, 0, image);
    if (!opaque.save(&file, "BMP"))
        return false;
    return files::commitWhole(file);
}

QImage blankLogo() {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace tarvola::logo
