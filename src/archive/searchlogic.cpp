#include "archive/searchlogic.h"

#include "platform/text.h"

#include <algorithm>

namespace tarvola {

QString paddedColumn(const QString& text, int width) {
    const QString trimmed = trimText(text);
    if (trimmed.size() >= width)
        return trimmed.left(width);
    return trimmed + QString(width - trimmed.size(), u' ');
}

QString listLine(const RecordView& record, const QList<LineColumn>& columns) {
    QString line;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const LineColumn& c = columns[i];
        const QString value = record.field(c.field);
        line += c.before;
        line += i + 1 == columns.size() ? trimText(value) : paddedColumn(value, c.width);
    }
    return line;
}

QList<Filter> filtersInUse(const QList<Filter>& filters) {
    QList<Filter> used;
    for (const Filter& f : filters) {
        if (!trimText(f.text).isEmpty())
            used.append({f.field, lowerAZ(f.text)});
    }
    return used;
}

bool matchesAll(const RecordView& record, const QList<Filter>& inUse) {
    return std::all_of(inUse.begin(), inUse.end(), [&](const Filter& f) {
        return lowerAZ(record.field(f.field)).contains(f.text);
    });
}

namespace {

char16_t sortKey(QChar c) {
    const char16_t u = c.unicode();
    return u >= u'a' && u <= u'z' ? char16_t(u - (u'a' - u'A')) : u;
}

} // namespace

bool listLess(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = sortKey(a[i]);
        const char16_t y = sortKey(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

void insertSorted(QStringList& list, const QString& line) {
    const auto at = std::upper_bound(list.begin(), list.end(), line, listLess);
    list.insert(at, line);
}

int findInList(const QStringList& items, int selected, const QString& typed, const QString& last) {
    const int count = int(items.size());
    if (count == 0)
        return -1;
    if (selected < 0 || selected >= count)
        selected = 0;
    if (typed.isEmpty())
        return selected;
    const bool again = typed == last;
    const int start = again ? selected : 0;
    // A new text tests the first item first; the same text again starts after the selection
    // and tests the selected item last.
    for (int step = again ? 1 : 0; step <= count; ++step) {
        const int i = (start + step) % count;
        if (step == count && !again)
            break;
        if (lowerAZ(items[i]).contains(typed))
            return i;
    }
    return selected;
}

} // namespace tarvola
