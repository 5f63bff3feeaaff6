#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvola::testing {

// A spreadsheet file as LibreOffice Calc reads it: converted headless to CSV (UTF-8, every
// cell as Calc shows it) and split into rows of cells.
struct CalcSheet {
    bool missing = false; // soffice is not installed
    QString error;        // what went wrong, when the conversion gave no file
    QList<QStringList> rows;
};
CalcSheet readWithCalc(const QString& sheet);

// The rows of a CSV text as LibreOffice writes it: comma separated, quoted when needed.
QList<QStringList> csvRows(const QString& text);

} // namespace tarvola::testing
