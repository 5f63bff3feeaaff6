#include "archive/searchlogic.h"

#include "platform/cp1252.h"
#include "platform/text.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <numeric>
#include <optional>
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
    const QChar* x = a.constData();
    const QChar* y = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        // Lines of one archive share long beginnings: equal characters are passed over
        // without working out their keys.
        if (x[i] == y[i])
            continue;
        const char16_t kx = sortKey(x[i]);
        const char16_t ky = sortKey(y[i]);
        if (kx != ky)
            return kx < ky;
    }
    return a.size() < b.size();
}

void insertSorted(QStringList& list, const QString& line) {
    const auto at = std::upper_bound(list.begin(), list.end(), line, listLess);
    list.insert(at, line);
}

namespace {

bool hasWideCharacters(const QStringList& lines) {
    // Every character looked at, none passed over early: the loop runs many at a time.
    char16_t all = 0;
    for (const QString& line : lines) {
        const char16_t* c = reinterpret_cast<const char16_t*>(line.constData());
        for (qsizetype i = 0, n = line.size(); i < n; ++i)
            all |= c[i];
    }
    return all > 0xFF;
}

// Lines of one archive share long beginnings (the same patient, padded to the same width),
// and comparing them character by character is what a sort of many thousand lines spends its
// time on. Each line's order key is written once instead: its characters as sortKey gives
// them, one byte each when no character of the list is above 0xFF (as in most archives),
// else two bytes, high byte first; two keys then compare as their bytes.
class SortedKeys {
public:
    SortedKeys(const QStringList& lines, bool wide) {
        const qsizetype n = lines.size();
        const qsizetype width = wide ? 2 : 1;
        m_start.resize(size_t(n + 1));
        for (qsizetype i = 0; i < n; ++i)
            m_start[size_t(i + 1)] = m_start[size_t(i)] + width * lines[i].size();
        m_keys.resize(size_t(m_start[size_t(n)]));
        for (qsizetype i = 0; i < n; ++i) {
            unsigned char* key = m_keys.data() + m_start[size_t(i)];
            const char16_t* c = reinterpret_cast<const char16_t*>(lines[i].constData());
            const qsizetype length = lines[i].size();
            if (wide) {
                for (qsizetype k = 0; k < length; ++k) {
                    const char16_t u = sortKey(QChar(c[k]));
                    key[2 * k] = static_cast<unsigned char>(u >> 8);
                    key[2 * k + 1] = static_cast<unsigned char>(u & 0xFF);
                }
            } else {
                // sortKey without branches, so the loop runs many characters at a time.
                for (qsizetype k = 0; k < length; ++k) {
                    const char16_t u = c[k];
                    key[k] = static_cast<unsigned char>(u - (char16_t(u - u'a') < 26 ? 32 : 0));
                }
            }
        }
        order.resize(size_t(n));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [this](qsizetype a, qsizetype b) { return less(*this, a, *this, b); });
    }

    // Whether line a of x comes before line b of y (keys of the same width).
    static bool less(const SortedKeys& x, qsizetype a, const SortedKeys& y, qsizetype b) {
        const qsizetype lengthA = x.m_start[size_t(a + 1)] - x.m_start[size_t(a)];
        const qsizetype lengthB = y.m_start[size_t(b + 1)] - y.m_start[size_t(b)];
        const int c =
            std::memcmp(x.m_keys.data() + x.m_start[size_t(a)],
                        y.m_keys.data() + y.m_start[size_t(b)], size_t(std::min(lengthA, lengthB)));
        return c != 0 ? c < 0 : lengthA < lengthB;
    }

    std::vector<qsizetype> order; // the lines' indexes in sorted order

private:
    std::vector<qsizetype> m_start; // where each line's key begins, and the end
    std::vector<unsigned char> m_keys;
};

} // namespace

void sortLines(QStringList& lines) {
    const SortedKeys keys(lines, hasWideCharacters(lines));
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const qsizetype i : keys.order)
        sorted.append(std::move(lines[i]));
    lines = std::move(sorted);
}

QStringList sortedLines(std::vector<QStringList> parts) {
    if (parts.empty())
        return {};
    // Every part's keys the same width, so keys of two parts compare as bytes too.
    const bool wide = std::any_of(parts.cbegin(), parts.cend(), hasWideCharacters);
    std::vector<std::optional<SortedKeys>> keys(parts.size());
    std::vector<std::thread> threads;
    for (size_t i = 1; i < parts.size(); ++i)
        threads.emplace_back([&, i] { keys[i].emplace(parts[i], wide); });
    keys[0].emplace(parts[0], wide);
    for (std::thread& thread : threads)
        thread.join();

    // The sorted lines as (part, index), merged two runs at a time, neighbours with
    // neighbours: std::merge takes the first run's line of two equal ones, so an earlier
    // part's line stays first.
    using Run = std::vector<std::pair<size_t, qsizetype>>;
    std::vector<Run> runs;
    for (size_t p = 0; p < parts.size(); ++p) {
        Run run;
        run.reserve(keys[p]->order.size());
        for (const qsizetype i : keys[p]->order)
            run.emplace_back(p, i);
        runs.push_back(std::move(run));
    }
    const auto less = [&keys](const std::pair<size_t, qsizetype>& a,
                              const std::pair<size_t, qsizetype>& b) {
        return SortedKeys::less(*keys[a.first], a.second, *keys[b.first], b.second);
    };
    while (runs.size() > 1) {
        std::vector<Run> merged;
        for (size_t i = 0; i < runs.size(); i += 2) {
            if (i + 1 == runs.size()) {
                merged.push_back(std::move(runs[i]));
                break;
            }
            Run both;
            both.reserve(runs[i].size() + runs[i + 1].size());
            std::merge(runs[i].begin(), runs[i].end(), runs[i + 1].begin(), runs[i + 1].end(),
                       std::back_inserter(both), less);
            merged.push_back(std::move(both));
        }
        runs = std::move(merged);
    }
    QStringList sorted;
    sorted.reserve(qsizetype(runs.front().size()));
    for (const auto& [part, index] : runs.front())
        sorted.append(std::move(parts[part][index]));
    return sorted;
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
