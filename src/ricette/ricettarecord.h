#pragma once

#include "archive/record.h"
#include "archive/recordlayout.h"

#include <QStringList>

namespace tarvola::ricetta {

// The archive of red prescriptions, in the program folder.
inline constexpr const char* archiveName = "Archivio_Ricette.pro";

// TRicettaRec: one red prescription, 2550 bytes. Most boxes of the paper form take one
// character and are fields of their own; Prov, Asl, Conf and Data repeat small groups of
// boxes as one text for searching and exporting.
const RecordLayout& layout();

// The nine ticked-or-not marks of the form, each a flag field ("Sì" / "No").
const QStringList& toggleFields();

// The summary fields, recomputed from the boxes at every save.
const QStringList& summaryFields();

// Sets Prov, Asl, Conf and Data from the boxes, each box trimmed; empty boxes add
// nothing, so the parts close up. Data is d d "/" m m "/" y y, for example 07/03/24.
void computeSummaries(Record& record);

} // namespace tarvola::ricetta
