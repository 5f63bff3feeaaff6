#pragma once

#include "archive/recordlayout.h"
#include "archive/searchlogic.h"

#include <QList>
#include <QString>

#include <optional>

namespace tarvola::farmaco {

// The archive of drug cards, in the program folder.
inline constexpr const char* archiveName = "Farmaci.pro";

// TFarmacoRec: one drug card, 3949 bytes. The 25 texts of the form, the "Da ordinare"
// flag ("Sì" / "No") and the attachments.
const RecordLayout& layout();

// One text of the card as the form shows it: the field (edited by txt + field) and its
// caption. The drug card print uses the same rows, with a caption of its own for the price.
struct FormField {
    QString field;
    QString caption;
};

// The 25 edits of the form in record order, which is also their keyboard order.
const QList<FormField>& formFields();

// The line by which the search and the to-order list show a card and find it again:
// name, form, AIFA note, ATC, Minsan code and the price as stored.
const QList<LineColumn>& listColumns();

// Where a drug name picked in the search goes: one prescription line of the prescription
// editor (tags "presc01" ... "presc07") or of the red prescription editor ("presc_01" ...
// "presc_09").
struct LineImport {
    enum class Editor { Prescrizione, RicettaRossa };
    Editor editor;
    int line; // 1-based
    bool operator==(const LineImport&) const = default;
};

// The prescription line a search tag names; nothing for any other tag.
std::optional<LineImport> lineImportOf(const QString& tag);

} // namespace tarvola::farmaco
