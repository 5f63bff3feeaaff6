#include "pazienti/tfrmstampaterapia.h"

#include "archive/recordlayout.h"
#include "pazienti/pazienterecord.h"
#include "report/reporttemplate.h"

namespace tarvola {

TfrmStampaTerapia::TfrmStampaTerapia(Services& services, QWidget* parent)
    : PatientDocumentWindow(services, parent,
                            {QStringLiteral("TfrmStampaTerapia"),
                             QStringLiteral(" Stampa storico terapie"), QStringLiteral("Stampa"),
                             QStringLiteral(":/images/scheda_paziente.svg"),
                             QStringLiteral("Stampa dello storico delle terapie del paziente "
                                            "visualizzato."),
                             report::templates::storicoTerapie}) {}

void TfrmStampaTerapia::fill(report::ReportTemplate& form) const {
    for (const paziente::RowColumn& column : paziente::therapyColumns()) {
        for (int i = 1; i <= paziente::therapyRows; ++i) {
            const QString name = QStringLiteral("txt") + runName(column.stem, i);
            form.memo(name).setText(text(name));
        }
    }
    fillLabelled(form, {{"txtTelCasa", "Tel. casa:  "},
                        {"txtTelUff", "Tel. ufficio:  "},
                        {"txtTelCel", "Tel. cellulare:  "},
                        {"txtFax", "Fax:  "},
                        {"txtEmail", "E-mail:  "},
                        {"txtIva", "Partita IVA:  "},
                        {"txtTessera", "Tessera sanitaria n.  "},
                        {"txtMedico", "Medico:  "},
                        {"txtGiorni", "Giorni e orari preferiti:  "},
                        {"txtPagamento", "Modalità di pagamento:  "},
                        {"txtPeso", "Peso:  "},
                        {"txtAltezza", "Altezza:  "},
                        {"txtGruppo", "Gruppo sanguigno:  "},
                        {"txtAsl", "ASL:  "},
                        {"txtDisfunzioni", "Disfunzioni articolari:  "},
                        {"txtProtesi", "Protesi:  "},
                        {"txtHandicap", "Handicap psicomotori:  "},
                        {"txtInterventi", "Interventi subiti:  "},
                        {"txtVaccinazioni", "Vaccinazioni:  "},
                        {"txtMalattie", "Malattie infettive:  "},
                        {"txtPatologie", "Altre patologie:  "},
                        {"txtTerapie", "Terapie seguite:  "},
                        {"txtFarmaci", "Farmaci assunti:  "},
                        {"txtAllergie", "Allergie accertate:  "},
                        {"txtRaccomandazioni", ""}});
}

} // namespace tarvola
