#include "checks/tfrmcodfisc.h"

#include "checks/identifiers.h"
#include "platform/text.h"

namespace tarvola {

TfrmCodFisc::TfrmCodFisc(Services& services, QWidget* parent)
    : CheckWindow(
          services, parent,
          {QStringLiteral("TfrmCodFisc"), QStringLiteral(" Controllo codice fiscale"),
           QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
           QStringLiteral("txtCodFisc"), 16, false, true}) {}

void TfrmCodFisc::check() {
    // A caller's value arrives trimmed; what is in the edit is judged as it stands.
    const QString code = upperAZ(this->code());
    if (code.size() != 16) {
        warnLength(QStringLiteral(
            "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."));
        return;
    }
    if (checks::isValidCodiceFiscale(code))
        conclude(MessageKind::Information, QStringLiteral("Il codice fiscale digitato è VALIDO."));
    else
        conclude(MessageKind::Warning,
                 QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."));
}

} // namespace tarvola
