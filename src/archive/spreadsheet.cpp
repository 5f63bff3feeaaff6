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

// Appends the cell's text in one pass, "&", "<" and ">" as entities.
void appendCellText(QByteArray& out, const QString& text) {
    const QByteArray bytes = toCp1252(trimText(text));
    qsizetype plain = 0; // start of the bytes not yet appended
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char* entity = bytes[i] == '&'   ? "&amp;"
                             : bytes[i] == '<' ? "&lt;"
                             : bytes[i] == '>' ? "&gt;"
                                               : nullptr;
        if (entity) {
            out.append(bytes.constData() + plain, i - plain).append(entity);
            plain = i + 1;
        }
    }
    out.append(bytes.constData() + plain, bytes.size() - plain);
}

void appendDataRow(QByteArray& out, const QList<SheetColumn>& columns, const QStringList& row) {
    out += "<tr>";
    for (qsizetype i = 0; i < columns.size(); ++i) {
        out += columns[i].alignRight ? "<td style=\"text-align: right;\">"
                                     : "<td style=\"text-align: left;\">";
        appendCellText(out, i < row.size() ? row[i] : QString());
        out += "</td>";
    }
    out += "</tr>";
}

const QByteArray tail = "</table></body></html>";

bool writeTo(QIODevice& device, const QString& sheetName, const QList<SheetColumn>& columns,
             const std::function<bool(QStringList&)>& nextRow) {
    if (device.write(head(sheetName) + headerRow(columns)) < 0)
        return false;
    // Rows are gathered into blocks of about 64 KB, each handed to the device at once.
    constexpr qsizetype blockSize = 1 << 16;
    QByteArray block;
    block.reserve(blockSize + 4096);
    QStringList row;
    while (nextRow(row)) {
        appendDataRow(block, columns, row);
        row.clear();
        if (block.size() >= blockSize) {
            if (device.write(block) != block.size())
                return false;
            block.resize(0);
        }
    }
    block += tail;
    return device.write(block) == block.size();
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
