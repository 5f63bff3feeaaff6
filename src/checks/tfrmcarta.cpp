#include "checks/tfrmcarta.h"

#include "checks/identifiers.h"
#include "platform/text.h"

namespace tarvola {

TfrmCarta::TfrmCarta(Services& services, QWidget* parent)
    : CheckWindow(services, parent,
                  {QStringLiteral("TfrmCarta"), QStringLiteral(" Controllo carta di credito"),
                   QStringLiteral("Immettere il numero di carta di credito e premere il "
                                  "pulsante di controllo."),
                   QStringLiteral("txtNumero"), 30, true, true}) {}

void TfrmCarta::check() {
    const QString number = trimText(code());
    if (number.isEmpty()) {
        warnLength(QStringLiteral("Attenzione: immettere il numero di carta di credito prima di "
                                  "premere il pulsante di controllo."));
        return;
    }
    const checks::CardVerdict verdict = checks::judgeCard(code());
    switch (verdict.kind) {
    case checks::CardVerdict::Kind::Named:
        conclude(MessageKind::Information,
                 QStringLiteral("Il numero di carta di credito ") + number +
                     QStringLiteral(" risulta valido.\r\n\r\nLa carta di credito è del tipo ") +
                     verdict.type + u'.');
        break;
    case checks::CardVerdict::Kind::Unnamed:
        // Numbers beginning "32" or "39" pass the check but belong to no known type.
        finish();
        break;
    case checks::CardVerdict::Kind::Wrong:
        conclude(MessageKind::Warning,
                 QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è "
                                "quindi possibile fornire informazioni relative al tipo di carta "
                                "di credito."));
        break;
    }
}

} // namespace tarvola
