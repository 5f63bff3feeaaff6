#pragma once

#include "pazienti/patientdocument.h"

namespace tarvola {

// Prints the therapy history of the card shown in the patient editor ("Storico Terapie"):
// the 18 therapy rows with right-aligned costs, the other information of the card and the
// medical recommendations.
//
//     TfrmStampaTerapia window(m_services, this); // reads the controls of its parent
//     window.exec();
class TfrmStampaTerapia : public PatientDocumentWindow {
    Q_OBJECT
public:
    explicit TfrmStampaTerapia(Services& services, QWidget* parent = nullptr);

protected:
    void fill(report::ReportTemplate& form) const override;
};

} // namespace tarvola
