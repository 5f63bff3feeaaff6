#pragma once

#include <QString>

class QWidget;

namespace tarvola {

class Services;

// The codice fiscale button of every editor: an empty text opens the codice fiscale check
// empty, a text of digits only opens the partita IVA check, anything else the codice
// fiscale check, each filled with the text and shown modally over parent.
void openTaxCodeCheck(Services& services, QWidget* parent, const QString& text);

} // namespace tarvola
