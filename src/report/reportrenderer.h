#pragma once

#include "report/reportpages.h"

#include <QString>

class QPainter;

namespace tarvola::report {

// Draws a laid-out page with the painter, one millimetre being pixelsPerMm device pixels
// (the device's resolution / 25.4) from the device's origin, which is the paper's top-left
// corner. A world transform set by the caller (the preview's zoom) applies on top.
void paintPage(QPainter& painter, const PreparedPage& page, double pixelsPerMm);

// Writes the pages to a PDF file, each at its paper size and orientation. The resolution is
// a multiple of 72 dpi so that font sizes stay exact. False when the file cannot be written.
[[nodiscard]] bool writePdf(const PreparedReport& report, const QString& path,
                            int resolution = 720);

} // namespace tarvola::report
