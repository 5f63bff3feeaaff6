#include "pazienti/tfrmstampadentale.h"

#include "archive/recordlayout.h"
#include "pazienti/pazienterecord.h"
#include "report/reporttemplate.h"

namespace tarvola {

TfrmStampaDentale::TfrmStampaDentale(Services& services, QWidget* parent)
    : PatientDocumentWindow(
          services, parent,
          {QStringLiteral("TfrmStampaDentale"), QStringLiteral(" Stampa scheda"),
           QStringLiteral("Stampa"), QStringLiteral(":/images/scheda_paziente.svg"),
           QStringLiteral("Stampa della scheda delle analisi cliniche del paziente visualizzato."),
           report::templates::analisiCliniche}) {}

TfrmStampaDentale::TfrmStampaDentale(Services& services, QWidget* parent, Sheet sheet)
    : PatientDocumentWindow(services, parent, std::move(sheet)) {}

void TfrmStampaDentale::fill(report::ReportTemplate& form) const {
    // Every line keeps its number, an empty one too.
    for (int i = 1; i <= paziente::analysisLines; ++i) {
        const QString name = runName(QStringLiteral("txtDente"), i);
        form.memo(name).setText(QString::number(i) + QStringLiteral(") ") + text(name));
    }
    fillLabelled(form, {{"txtTelCasa", "Tel. casa:  "},
                        {"txtTelUff", "Tel. ufficio:  "},
                        {"txtTelCel", "Tel. cellulare:  "},
                        {"txtFax", "Fax:  "},
                        {"txtEmail", "E-mail:  "},
                        {"txtIva", "Partita IVA:  "},
                        {"txtTessera", "Tessera sanitaria n.  "},
                        {"txtPagamento", "Modalità di pagamento:  "},
                        {"txtGiorni", "Giorni e orari preferiti:  "},
                        {"txtNote", ""}});
}

} // namespace tarvola
