#pragma once

#include "archive/recordlayout.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvola::paziente {

// The archive of patient cards, in the program folder.
inline constexpr const char* archiveName = "Pazienti.pro";

// TPazienteRec: one patient card, 46020 bytes in six blocks: the personal data, the therapy
// history (18 rows), the performed services (96 rows), the 32 clinical analysis lines, the
// anamnesis and the attachments. The rows are stored column by column: every row's start
// date, then every row's end date, and so on.
const RecordLayout& layout();

// A single text of the card and the caption shown above its edit (txt + field).
struct FormField {
    QString field;
    QString caption;
};

// The 29 personal texts in record order, which is also their Enter order.
const QList<FormField>& personalFields();
// The 15 anamnesis texts in record order, which is also their Enter order.
const QList<FormField>& anamnesisFields();

// The rows of the card's repeated parts.
inline constexpr int serviceRows = 96;
inline constexpr int servicePageRows = 16;
inline constexpr int servicePages = serviceRows / servicePageRows;
inline constexpr int therapyRows = 18;
inline constexpr int analysisLines = 32;

// A column of repeated rows: the stem of its fields (DataPrest01 ...) and its caption.
struct RowColumn {
    QString stem;
    QString caption;
    int capacity;
};

// Service rows: date, time, service and outcome, amount; therapy rows: start, end, therapy,
// cost. The last column of each starts as "0,00" on a new card.
const QList<RowColumn>& serviceColumns();
const QList<RowColumn>& therapyColumns();

// The fields of every amount and cost, which a new card shows as "0,00".
QStringList moneyFields();
// The fields of the 96 service rows, amounts included.
QStringList serviceFields();

// The 112 province codes the two province pickers offer, in their order.
const QStringList& provinceCodes();

// One row of the printed patient card: its caption, and its value made of the trimmed
// texts of these fields, each after its own leading text.
struct PrintRow {
    QString caption;
    QList<std::pair<QString, QString>> parts; // leading text, field
};
const QList<PrintRow>& printRows();

} // namespace tarvola::paziente
