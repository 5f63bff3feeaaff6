#include "archive/spreadsheet.h"

#include "platform/cp1252.h"
#include "platform/files.h"

#include <QBuffer>
#include <QSaveFile>

#include <cstring>

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

// Appends the cell's text trimmed, in Windows-1252 as toCp1252 converts it, with "&", "<"
// and ">" as entities: one pass straight into the output, as an export writes every cell of
// the archive.
void appendCellText(QByteArray& out, QStringView text) {
    while (!text.isEmpty() && text.front().unicode() <= u' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back().unicode() <= u' ')
        text.chop(1);
    const qsizetype at = out.size();
    out.resize(at + 5 * text.size()); // the most a character becomes is "&amp;"
    char* p = out.data() + at;
    const auto put = [&p](QByteArrayView bytes) {
        std::memcpy(p, bytes.data(), size_t(bytes.size()));
        p += bytes.size();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'&') {
            put("&amp;");
        } else if (c == u'<') {
            put("&lt;");
        } else if (c == u'>') {
            put("&gt;");
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            *p++ = '?'; // one character, one question mark
            ++i;
        } else {
            const int b = c < 0x80 ? c : cp1252Byte(c);
            *p++ = b < 0 ? '?' : static_cast<char>(b);
        }
    }
    out.resize(p - out.constData());
}

// Excel takes every cell as text from the table's x:str; LibreOffice Calc ignores that and
// reads a cell of digits as a number, so a postcode would lose its leading zeros and a
// 20-digit card number its last digits. sdnum with the text format "@" tells Calc the same,
// cell by cell (it does not take it from the table); Excel ignores the attribute.
constexpr QByteArrayView leftCell = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
constexpr QByteArrayView rightCell = "<td style=\"text-align: right;\" sdnum=\"1040;0;@\">";

void appendDataRow(QByteArray& out, const QList<SheetColumn>& columns, const QStringList& row) {
    out += QByteArrayView("<tr>");
    for (qsizetype i = 0; i < columns.size(); ++i) {
        out += columns[i].alignRight ? rightCell : leftCell;
        appendCellText(out, i < row.size() ? QStringView(row[i]) : QStringView());
        out += QByteArrayView("</td>");
    }
    out += QByteArrayView("</tr>");
}

char* put(char* p, QByteArrayView bytes) {
    std::memcpy(p, bytes.data(), size_t(bytes.size()));
    return p + bytes.size();
}

// Windows-1252 bytes trimmed, with "&", "<" and ">" as entities; the runs between them are
// copied whole. The bytes up to the blank are the characters up to the blank, so trimming
// the bytes trims the text.
char* putCellBytes(char* p, QByteArrayView bytes) {
    while (!bytes.isEmpty() && static_cast<unsigned char>(bytes.front()) <= ' ')
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && static_cast<unsigned char>(bytes.back()) <= ' ')
        bytes.chop(1);
    const char* s = bytes.data();
    const char* const end = s + bytes.size();
    while (s < end) {
        const char* run = s;
        while (s < end && *s != '&' && *s != '<' && *s != '>')
            ++s;
        p = put(p, QByteArrayView(run, s - run));
        if (s == end)
            break;
        p = put(p, *s == '&'   ? QByteArrayView("&amp;")
                   : *s == '<' ? QByteArrayView("&lt;")
                               : QByteArrayView("&gt;"));
        ++s;
    }
    return p;
}

// A row of Windows-1252 cells in one go, as an export writes every record: room for the
// most the row can take (every byte an entity) is made once, then the pieces are copied in.
void appendDataRow(QByteArray& out, const QList<SheetColumn>& columns,
                   const QList<QByteArrayView>& row) {
    qsizetype most = 9; // <tr></tr>
    for (qsizetype i = 0; i < columns.size(); ++i)
        most += rightCell.size() + 5 + 5 * (i < row.size() ? row[i].size() : 0);
    const qsizetype at = out.size();
    out.resize(at + most);
    char* p = put(out.data() + at, "<tr>");
    for (qsizetype i = 0; i < columns.size(); ++i) {
        p = put(p, columns[i].alignRight ? rightCell : leftCell);
        p = putCellBytes(p, i < row.size() ? row[i] : QByteArrayView());
        p = put(p, "</td>");
    }
    p = put(p, "</tr>");
    out.resize(p - out.constData());
}

const QByteArray tail = "</table></body></html>";

template <typename Row>
bool writeTo(QIODevice& device, const QString& sheetName, const QList<SheetColumn>& columns,
             const std::function<bool(Row&)>& nextRow) {
    if (device.write(head(sheetName) + headerRow(columns)) < 0)
        return false;
    // Rows are gathered into blocks of about 64 KB, each handed to the device at once.
    constexpr qsizetype blockSize = 1 << 16;
    QByteArray block;
    block.reserve(blockSize + 4096);
    Row row;
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

template <typename Row>
bool writeFile(const QString& path, const QString& sheetName, const QList<SheetColumn>& columns,
               const std::function<bool(Row&)>& nextRow) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!writeTo(file, sheetName, columns, nextRow)) {
        file.cancelWriting();
        return false;
    }
    return files::commitWhole(file);
}

} // namespace

bool writeSpreadsheet(const QString& path, const QString& sheetName,
                      const QList<SheetColumn>& columns,
                      const std::function<bool(QStringList& row)>& nextRow) {
    return writeFile(path, sheetName, columns, nextRow);
}

bool writeEncodedSpreadsheet(const QString& path, const QString& sheetName,
                             const QList<SheetColumn>& columns,
                             const std::function<bool(QList<QByteArrayView>& row)>& nextRow) {
    return writeFile(path, sheetName, columns, nextRow);
}

QByteArray spreadsheetBytes(const QString& sheetName, const QList<SheetColumn>& columns,
                            const QList<QStringList>& rows) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    qsizetype next = 0;
    writeTo<QStringList>(buffer, sheetName, columns, [&](QStringList& row) {
        if (next >= rows.size())
            return false;
        row = rows[next++];
        return true;
    });
    return bytes;
}

} // namespace tarvola
