#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace tarvola {

// A column of an exported sheet: its header, its width and how its cells are aligned.
struct SheetColumn {
    QString header;
    int width = 0;
    bool alignRight = false;
};

// Writes the rows as a spreadsheet that spreadsheet programs open as an Excel sheet: an
// HTML table with Excel workbook markup, Windows-1252, all on one line, no byte-order mark.
// The rows come one at a time from nextRow (false when there are no more), so a large
// archive is never held twice in memory. Cell texts are trimmed; "&", "<" and ">" are
// written as entities, so a note like "<b>" or "A&B" shows in the sheet exactly as typed.
// The file is replaced only when written whole: on failure the earlier file stays.
[[nodiscard]] bool writeSpreadsheet(const QString& path, const QString& sheetName,
                                    const QList<SheetColumn>& columns,
                                    const std::function<bool(QStringList& row)>& nextRow);

// The same with every row's cells already in Windows-1252, as the archives store their
// texts: the bytes are written as they are (trimmed, "&", "<" and ">" as entities), with no
// conversion. A row may hold fewer cells than there are columns: the rest are empty.
[[nodiscard]] bool
writeEncodedSpreadsheet(const QString& path, const QString& sheetName,
                        const QList<SheetColumn>& columns,
                        const std::function<bool(QList<QByteArrayView>& row)>& nextRow);

// The same text in memory, for small sheets and tests.
QByteArray spreadsheetBytes(const QString& sheetName, const QList<SheetColumn>& columns,
                            const QList<QStringList>& rows);

} // namespace tarvola
