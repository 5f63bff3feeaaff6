#include "archive/logo.h"

#include "platform/files.h"

#include <QImageReader>
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

QImage load(const QString& programFolder) {
    QImageReader reader(files::join(programFolder, QString::fromLatin1(fileName)));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
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
    return file.commit();
}

QImage blankLogo() {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace tarvola::logo
