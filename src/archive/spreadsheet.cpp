#include "archive/spreadsheet.h"

#include "platform/cp1252.h"
#include "platform/text.h"

#include <QBuffer>
#include <QSaveFile>

namespace tarvola {

namespace {

QByteArray head(const QString& sheetName) {
    QByteArray out;
    out += "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
           "xmlns=\"http://www.w3.org/TR/REC-html40\">";
    out += "<head>";
    out += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
    out += "<!--[if gte mso 9]><xml>";
    out += "<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>";
    out += "<x:Name>" + toCp1252(sheetName) + "</x:Name>";
    out += "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
           "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>";
    out += "<x:ProtectContents>False</x:ProtectContents>"
           "<x:ProtectObjects>False</x:ProtectObjects>"
           "<x:ProtectScenarios>False</x:ProtectScenarios>";
    out += "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>";
    out += "</xml><![endif]--></head><body><table x:str>";
    return out;
}

QByteArray headerRow(const QList<SheetColumn>& columns) {
    QByteArray out = "<tr>";
    for (const SheetColumn& c : columns) {
        out += "<td style=\"text-align: left; font-weight: bold;\" width=" +
               QByteArray::number(c.width) + '>' + toCp1252(c.header) + "</td>";
    }
    return out + "</tr>";
}

QByteArray cellText(const QString& text) {
    QByteArray bytes = toCp1252(trimText(text));
    bytes.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
    return bytes;
}

QByteArray dataRow(const QList<SheetColumn>& columns, const QStringList& row) {
    QByteArray out = "<tr>";
    for (qsizetype i = 0; i < columns.size(); ++i) {
        out += columns[i].alignRight ? "<td style=\"text-align: right;\">"
                                     : "<td style=\"text-align: left;\">";
        out += cellText(i < row.size() ? row[i] : QString());
        out += "</td>";
    }
    return out + "</tr>";
}

const QByteArray tail = "</table></body></html>";

bool writeTo(QIODevice& device, const QString& sheetName, const QList<SheetColumn>& columns,
             const std::function<bool(QStringList&)>& nextRow) {
    if (device.write(head(sheetName) + headerRow(columns)) < 0)
        return false;
    QStringList row;
    while (nextRow(row)) {
        if (device.write(dataRow(columns, row)) < 0)
            return false;
        row.clear();
    }
    return device.write(tail) == tail.size();
}

} // namespace

bool writeSpreadsheet(const QString& path, const QString& sheetName,
                      const QList<SheetColumn>& columns,
                      const std::function<bool(QStringList& row)>& nextRow) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!writeTo(file, sheetName, columns, nextRow)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QByteArray spreadsheetBytes(const QString& sheetName, const QList<SheetColumn>& columns,
                            const QList<QStringList>& rows) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    qsizetype next = 0;
    writeTo(buffer, sheetName, columns, [&](QStringList& row) {
        if (next >= rows.size())
            return false;
        row = rows[next++];
        return true;
    });
    return bytes;
}

} // namespace tarvola
