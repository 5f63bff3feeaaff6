#pragma once

#include "archive/recordlayout.h"
#include "archive/searchlogic.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace tarvola::prescrizione {

// TPrescrizioneRec: one prescription, 5891 bytes. The practice header, number, date, place
// and doctor travel with every prescription, so it reprints with the header it was issued
// with; the seven lines are stored column by column (prescriptions, quantities, notes), then
// the attachments.
const RecordLayout& layout();

// One edit of the form: the field (edited by txt + field) and its caption.
struct FormField {
    QString field;
    QString caption;
};

// The form's texts in record order, the seven lines excepted.
const QList<FormField>& formFields();

// The fields a new prescription keeps: the practice header, the place, the doctor and his
// codice fiscale.
const QStringList& headerFields();

// The archive of a year: the year followed by ".med", in the program folder. Only a year of
// exactly four digits names one; anything else (fewer or more characters, letters, a path)
// gives nothing, so what is typed or pasted into the year never reaches another file.
std::optional<QString> archiveNameOfYear(const QString& typed);

// The number of the next prescription: start value + records stored, followed by "/" and
// today's four-digit year when the year flag reads "Sì". An empty start value counts as 1;
// a start value that is not a whole number gives nothing.
std::optional<QString> nextNumber(const QString& start, const QString& yearFlag, qint64 stored,
                                  const QDate& today);

// The start value as the numbering window writes it back on leaving its edit: empty or
// unreadable texts become "1", numbers are rounded half up to a whole number in plain
// decimal form ("007" becomes "7").
QString normalizedStart(const QString& text);

// Whether the text is a real date written day/month/year, as "29/02/2024".
bool isRealDate(const QString& text);

// The line by which the search shows a prescription and finds it again: number, date, kind,
// patient, codice fiscale and contact.
const QList<LineColumn>& listColumns();

} // namespace tarvola::prescrizione
