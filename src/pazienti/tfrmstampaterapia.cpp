#include "pazienti/tfrmstampaterapia.h"

namespace tarvola {

TfrmStampaTerapia::TfrmStampaTerapia(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmStampaTerapia"));
    setWindowTitle(QStringLiteral(" Stampa storico terapie"));
}

} // namespace tarvola
