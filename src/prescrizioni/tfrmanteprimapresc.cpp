#include "prescrizioni/tfrmanteprimapresc.h"

namespace tarvola {

TfrmAnteprimaPresc::TfrmAnteprimaPresc(Services& services, QWidget* parent)
    : PrescPrintWindow(services, parent, QStringLiteral("TfrmAnteprimaPresc"),
                       QStringLiteral(" Anteprima di stampa"), QStringLiteral("Mostra anteprima"),
                       DocumentOutput::Preview) {}

} // namespace tarvola
