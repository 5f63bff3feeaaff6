#include "pazienti/tfrmanteprimadentale.h"

#include "report/reporttemplate.h"

namespace tarvola {

TfrmAnteprimaDentale::TfrmAnteprimaDentale(Services& services, QWidget* parent)
    : TfrmStampaDentale(services, parent,
                        {QStringLiteral("TfrmAnteprimaDentale"),
                         QStringLiteral(" Anteprima di stampa"), QStringLiteral("Mostra anteprima"),
                         QStringLiteral(":/images/scheda_paziente.svg"),
                         QStringLiteral("Anteprima della scheda delle analisi cliniche del "
                                        "paziente visualizzato."),
                         report::templates::analisiCliniche, DocumentOutput::Preview}) {}

} // namespace tarvola
