#pragma once

#include <QString>
#include <QStringList>

namespace tarvola::fonts {

// The program folder's own fonts, in this folder of it: the pages and windows are laid out
// with these, so they look and print the same on every PC, whatever fonts it has.
inline constexpr char folderName[] = "fonts";

// The family the program draws a family asked for by name with. The templates and windows
// ask for the Windows fonts Arial, Courier New, Times New Roman and Verdana; they are drawn
// with the free families shipped in the folder that share their metrics (Liberation Sans,
// Mono and Serif) or come closest to them (DejaVu Sans), even on a PC that has the Windows
// fonts, so a page measured on one PC is the same page on another. Other names are kept.
QString shippedFamily(const QString& family);

// Registers every font file of programFolder's fonts folder with the application and
// returns the families they brought (empty when the folder has none). Needs the
// QGuiApplication. When DejaVu Sans is among them the windows use it too.
QStringList loadBundled(const QString& programFolder);

} // namespace tarvola::fonts
