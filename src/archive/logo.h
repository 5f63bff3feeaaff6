#pragma once

#include <QImage>
#include <QString>

namespace tarvola::logo {

inline constexpr const char* fileName = "Logo.bmp";
inline constexpr int defaultWidth = 297;
inline constexpr int defaultHeight = 184;

// The blue caduceus the program carries, 297 x 184 pixels.
QImage defaultLogo();

// The practice logo: Logo.bmp of the program folder, or the default logo when the file is
// missing, truncated or not an image. Never fails and never reports.
QImage load(const QString& programFolder);

// Writes the image to Logo.bmp in bitmap format, replacing the file whole; false when it
// cannot be written.
[[nodiscard]] bool save(const QString& programFolder, const QImage& image);

// The picture shown for "no logo": a small blank image that prints as an empty area.
QImage blankLogo();

} // namespace tarvola::logo
