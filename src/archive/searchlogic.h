#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

#include "archive/recordscan.h"

namespace tarvola {

// A column of a list line: the field it shows, the separator text written before it (the
// first column has none), and its width; the last column is written trimmed and unpadded.
struct LineColumn {
    int field;      // index of the field in the record
    QString before; // separator that names the column, e.g. "  C.F. "
    int width = 0;  // ignored for the last column
    // A second field shown after the first, one blank between them (a surname and a first
    // name in one column); the two trimmed texts joined are padded and cut as one.
    int joined = -1;
};

// The text of a padded column: the field trimmed, blanks appended, cut to the width.
QString paddedColumn(const QString& text, int width);

// The fixed-width line by which a search window lists a record and finds it again.
QString listLine(const RecordView& record, const QList<LineColumn>& columns);

// A filter of a search window: the record field it looks into and the text typed.
struct Filter {
    int field;
    QString text;
};

// A filter takes part when its text, trimmed, is not empty; its text is then looked for,
// lower-cased but not trimmed, anywhere in the lower-cased field (a to z only).
QList<Filter> filtersInUse(const QList<Filter>& filters);
bool matchesAll(const RecordView& record, const QList<Filter>& inUse);

// The order of a result list: character codes, with a to z taken as A to Z.
bool listLess(const QString& a, const QString& b);

// Inserts the line into the sorted list keeping it sorted (after equal lines).
void insertSorted(QStringList& list, const QString& line);

// Sorts a whole result list in the order of listLess, equal lines keeping their order.
void sortLines(QStringList& lines);

// The lines of consecutive parts of an archive as one sorted list, as sortLines would sort
// the parts joined in order: each part is sorted on a thread of its own, then they are
// merged, equal lines of an earlier part first.
QStringList sortedLines(std::vector<QStringList> parts);

// Find in list: the item to select when looking for the text typed (lower-cased, not
// trimmed) with the item `selected` selected and `last` the previous text looked for.
// Gives `selected` itself (or the first item when none was selected) when nothing is found.
int findInList(const QStringList& items, int selected, const QString& typed, const QString& last);

} // namespace tarvola
