#include "archive/searchlogic.h"

#include "platform/cp1252.h"
#include "platform/text.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <numeric>
#include <thread>
#include <utility>
#include <vector>

namespace tarvola {

QString paddedColumn(const QString& text, int width) {
    const QString trimmed = trimText(text);
    if (trimmed.size() >= width)
        return trimmed.left(width);
    return trimmed + QString(width - trimmed.size(), u' ');
}

QString listLine(const RecordView& record, const QList<LineColumn>& columns) {
    // Built straight from the stored bytes into one string: a search makes one of these for
    // every record, so no column gets a string of its own. A stored byte is one character,
    // so cutting the bytes to the width cuts the text to the width.
    struct Text {
        QByteArrayView first, second; // a joined column's second part, after one blank
        qsizetype size() const {
            return first.size() + second.size() + (first.isEmpty() || second.isEmpty() ? 0 : 1);
        }
    };
    const auto textOf = [&record](const LineColumn& c) {
        // Both parts are trimmed, so an empty first part leaves no blank before the second,
        // as trimming the joined text as a whole would.
        Text t{record.storedText(c.field), {}};
        if (c.joined >= 0)
            t.second = record.storedText(c.joined);
        if (t.first.isEmpty())
            std::swap(t.first, t.second);
        return t;
    };
    const qsizetype last = columns.size() - 1;
    qsizetype size = 0;
    for (qsizetype i = 0; i <= last; ++i) {
        size += columns[i].before.size() +
                (i == last ? textOf(columns[i]).size() : std::max(columns[i].width, 0));
    }
    QString line(size, Qt::Uninitialized);
    QChar* out = line.data();
    for (qsizetype i = 0; i <= last; ++i) {
        const LineColumn& c = columns[i];
        out = std::copy(c.before.cbegin(), c.before.cend(), out);
        const Text t = textOf(c);
        qsizetype room = i == last ? t.size() : std::max(c.width, 0);
        const auto put = [&](QByteArrayView bytes) {
            const qsizetype n = std::min(bytes.size(), room);
            out = decodeCp1252(out, bytes.first(n));
            room -= n;
        };
        put(t.first);
        if (!t.second.isEmpty() && room > 0) {
            *out++ = u' ';
            --room;
            put(t.second);
        }
        out = std::fill_n(out, room, QChar(u' '));
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
    QString field;
    return std::all_of(inUse.begin(), inUse.end(), [&](const Filter& f) {
        field.resize(0);
        appendCp1252(field, record.storedText(f.field));
        for (QChar& c : field) {
            if (c >= u'A' && c <= u'Z')
                c = QChar(c.unicode() + (u'a' - u'A'));
        }
        return field.contains(f.text);
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

void sortLines(QStringList& lines) {
    // Lines of one archive share long beginnings (the same patient, padded to the same
    // width), and comparing them character by character is what a sort of many thousand lines
    // spends its time on. Each line's order key is written once instead: its characters as
    // sortKey gives them, one byte each when no character of the list is above 0xFF (as in
    // most archives), else two bytes, high byte first; two keys then compare as their bytes.
    const qsizetype n = lines.size();
    const bool wide = std::any_of(lines.cbegin(), lines.cend(), [](const QString& line) {
        return std::any_of(line.cbegin(), line.cend(), [](QChar c) { return c.unicode() > 0xFF; });
    });
    const qsizetype width = wide ? 2 : 1;
    std::vector<qsizetype> start(n + 1);
    for (qsizetype i = 0; i < n; ++i)
        start[i + 1] = start[i] + width * lines[i].size();
    std::vector<unsigned char> keys(start[n]);
    for (qsizetype i = 0; i < n; ++i) {
        unsigned char* key = keys.data() + start[i];
        for (const QChar c : std::as_const(lines)[i]) {
            const char16_t k = sortKey(c);
            if (wide)
                *key++ = static_cast<unsigned char>(k >> 8);
            *key++ = static_cast<unsigned char>(k & 0xFF);
        }
    }
    std::vector<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const qsizetype lengthA = start[a + 1] - start[a];
        const qsizetype lengthB = start[b + 1] - start[b];
        const int c = std::memcmp(keys.data() + start[a], keys.data() + start[b],
                                  size_t(std::min(lengthA, lengthB)));
        return c != 0 ? c < 0 : lengthA < lengthB;
    });
    QStringList sorted;
    sorted.reserve(n);
    for (const qsizetype i : order)
        sorted.append(std::move(lines[i]));
    lines = std::move(sorted);
}

QStringList sortedLines(std::vector<QStringList> parts) {
    std::vector<std::thread> threads;
    for (size_t i = 1; i < parts.size(); ++i)
        threads.emplace_back([&parts, i] { sortLines(parts[i]); });
    if (!parts.empty())
        sortLines(parts[0]);
    for (std::thread& thread : threads)
        thread.join();
    // Merged two at a time, neighbours with neighbours, so an earlier part stays first.
    while (parts.size() > 1) {
        std::vector<QStringList> merged;
        for (size_t i = 0; i < parts.size(); i += 2) {
            if (i + 1 == parts.size()) {
                merged.push_back(std::move(parts[i]));
                break;
            }
            QStringList both;
            both.reserve(parts[i].size() + parts[i + 1].size());
            std::merge(
                std::make_move_iterator(parts[i].begin()), std::make_move_iterator(parts[i].end()),
                std::make_move_iterator(parts[i + 1].begin()),
                std::make_move_iterator(parts[i + 1].end()), std::back_inserter(both), listLess);
            merged.push_back(std::move(both));
        }
        parts = std::move(merged);
    }
    return parts.empty() ? QStringList() : std::move(parts.front());
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
