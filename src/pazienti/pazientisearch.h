#pragma once

#include "archive/recordscan.h"
#include "archive/searchlogic.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace tarvola::paziente {

// A filter of the patient search: its edit, its caption and the card field it looks into.
struct SearchFilter {
    QString edit;
    QString caption;
    QString field;
};

// The ten filters in their Enter order.
const QList<SearchFilter>& searchFilters();

// The line by which the patient search lists a card and finds it again: surname and first
// name (30), "  Tel. " preferred contact (15), "  C.F. " codice fiscale (16), "  Note: "
// the note whole.
const QList<LineColumn>& listColumns();

// The fields the search looks at: the filters' and the list line's.
QList<int> searchFields();

// Where a card picked in the patient search goes besides the patient editor itself: the
// prescription editor (tag "prescrizioni") or the red prescription editor (tag "ricette").
enum class ImportEditor { Prescrizione, RicettaRossa };
std::optional<ImportEditor> importEditorOf(const QString& tag);

// The values a card gives the editor, each as the name of the target's control and its
// text, in the order they are written. Every part is the card's field trimmed; joined parts
// keep their single blanks even when a part is empty.
using ImportValues = QList<std::pair<QString, QString>>;
ImportValues importValues(ImportEditor editor, const RecordView& card);

// The fields the imports read.
QList<int> importFields();

} // namespace tarvola::paziente
