#pragma once

#include <QString>

// The user guide Guida.pdf: the help topics laid out as a printed manual (cover, contents,
// one chapter per app with its export), written from the same texts as the help window.
namespace tarvola::guide {

// Writes the guide as an A4 PDF file. False when the file cannot be written.
bool writePdf(const QString& path);

} // namespace tarvola::guide
