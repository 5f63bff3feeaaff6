#include "platform/inifile.h"

#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace tarvola {

namespace {

struct Line {
    QByteArray bytes; // the line as stored, its end-of-line included
};

QList<Line> splitLines(const QByteArray& data) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        end = end < 0 ? data.size() : end + 1;
        lines.append({data.mid(start, end - start)});
        start = end;
    }
    return lines;
}

QString lineText(const Line& line) {
    return trimText(fromCp1252(line.bytes));
}

// The section name when the line is "[name]".
std::optional<QString> sectionOf(const QString& text) {
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        if (close > 0)
            return trimText(text.mid(1, close - 1));
    }
    return std::nullopt;
}

bool isComment(const QString& text) {
    return text.startsWith(u';') || text.startsWith(u'#');
}

// The key name when the line is "key=value".
std::optional<QString> keyOf(const QString& text) {
    if (isComment(text) || text.startsWith(u'['))
        return std::nullopt;
    const qsizetype eq = text.indexOf(u'=');
    if (eq <= 0)
        return std::nullopt;
    return trimText(text.left(eq));
}

QString unquoted(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

bool readAll(const QString& path, QByteArray& data) {
    QFile file(path);
    if (!file.exists()) {
        data.clear();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly))
        return false;
    data = file.readAll();
    return file.error() == QFileDevice::NoError;
}

} // namespace

QString IniFile::read(const QString& section, const QString& key) const {
    return tryRead(section, key).value_or(QString());
}

std::optional<QString> IniFile::tryRead(const QString& section, const QString& key) const {
    QByteArray data;
    if (QFileInfo(m_path).isDir() || !readAll(m_path, data))
        return std::nullopt;
    bool inSection = false;
    for (const Line& line : splitLines(data)) {
        const QString text = lineText(line);
        if (const auto name = sectionOf(text)) {
            inSection = equalsIgnoringCaseAZ(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        const auto name = keyOf(text);
        if (name && equalsIgnoringCaseAZ(*name, key))
            return unquoted(trimText(text.mid(text.indexOf(u'=') + 1)));
    }
    return QString(); // a missing section or key reads as empty
}

bool IniFile::write(const QString& section, const QString& key, const QString& value) const {
    QByteArray data;
    if (!readAll(m_path, data))
        return false;
    QList<Line> lines = splitLines(data);

    // New lines follow the file's own line ends; a new file gets CR LF.
    const bool lf = !data.isEmpty() && !data.contains("\r\n") && data.contains('\n');
    const QByteArray eol = lf ? QByteArrayLiteral("\n") : QByteArrayLiteral("\r\n");
    const QByteArray keyLine = toCp1252(key) + '=' + toCp1252(trimText(value)) + eol;

    qsizetype sectionAt = -1;
    qsizetype insertAt = -1; // after the section's last key (or its header)
    qsizetype keyAt = -1;
    for (qsizetype i = 0; i < lines.size() && keyAt < 0; ++i) {
        const QString text = lineText(lines[i]);
        if (const auto name = sectionOf(text)) {
            if (sectionAt >= 0)
                break; // the wanted section ended without the key
            if (equalsIgnoringCaseAZ(*name, section)) {
                sectionAt = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionAt < 0)
            continue;
        if (const auto name = keyOf(text)) {
            if (equalsIgnoringCaseAZ(*name, key))
                keyAt = i;
            insertAt = i + 1;
        }
    }

    if (keyAt >= 0) {
        lines[keyAt].bytes = keyLine;
    } else if (sectionAt >= 0) {
        if (!lines[insertAt - 1].bytes.endsWith('\n'))
            lines[insertAt - 1].bytes += eol;
        lines.insert(insertAt, {keyLine});
    } else {
        if (!lines.isEmpty() && !lines.last().bytes.endsWith('\n'))
            lines.last().bytes += eol;
        lines.append({'[' + toCp1252(section) + ']' + eol});
        lines.append({keyLine});
    }

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const Line& line : lines)
        file.write(line.bytes);
    return files::commitWhole(file);
}

} // namespace tarvola
