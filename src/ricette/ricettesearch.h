#pragma once

#include "archive/searchlogic.h"

#include <QString>

namespace tarvola::ricetta {

// The line by which the search and the open list show a red prescription and find it
// again: patient, codice fiscale, ASL, first drug, date, first doctor line.
const QList<LineColumn>& listColumns();

} // namespace tarvola::ricetta
