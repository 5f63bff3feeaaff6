#include "checks/tfrmiban.h"

#include "checks/identifiers.h"
#include "platform/text.h"

namespace tarvola {

TfrmIban::TfrmIban(Services& services, QWidget* parent)
    : CheckWindow(services, parent,
                  {QStringLiteral("TfrmIban"), QStringLiteral(" Controllo IBAN"),
                   QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo."),
                   QStringLiteral("txtIban"), 27, false, true}) {}

void TfrmIban::check() {
    // The length counts the blanks between groups: an Italian IBAN is judged as written
    // in one piece.
    const QString iban = trimText(code());
    if (iban.size() != 27) {
        warnLength(QStringLiteral(
            "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."));
        return;
    }
    if (checks::ibanRemainder(iban) == 1)
        conclude(MessageKind::Information, QStringLiteral("L'IBAN digitato è VALIDO."));
    else
        conclude(MessageKind::Warning, QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!"));
}

} // namespace tarvola
