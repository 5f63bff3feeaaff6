#include "checks/tfrmpartitaiva.h"

#include "checks/identifiers.h"
#include "platform/text.h"

namespace tarvola {

TfrmPartitaIva::TfrmPartitaIva(Services& services, QWidget* parent)
    : CheckWindow(
          services, parent,
          {QStringLiteral("TfrmPartitaIva"), QStringLiteral(" Controllo partita IVA"),
           QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
           QStringLiteral("txtPartitaIva"), 11, true, false}) {}

void TfrmPartitaIva::check() {
    // A caller's value is not filtered, so letters may be here: they make it wrong.
    const QString number = upperAZ(code());
    if (number.size() != 11) {
        warnLength(QStringLiteral(
            "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
        return;
    }
    if (checks::isValidPartitaIva(number)) {
        conclude(MessageKind::Information,
                 QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                "E' stato rilasciato dall'Ufficio IVA del Comune di ") +
                     checks::ivaOfficeName(QStringView(number).mid(7, 3)) + u'.');
    } else {
        conclude(MessageKind::Warning,
                 QStringLiteral("Attenzione: il numero di partita IVA digitato risulta "
                                "ERRATO!\r\n\r\nNon è quindi possibile fornire informazioni "
                                "relative all'Ufficio IVA che lo ha rilasciato."));
    }
}

} // namespace tarvola
