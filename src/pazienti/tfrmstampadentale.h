#pragma once

#include "pazienti/patientdocument.h"

namespace tarvola {

// The clinical analyses card of the patient shown in the editor ("Analisi Cliniche"): the
// 32 numbered analysis lines, the contact and payment details and the notes.
// Prints the clinical analyses card through the print dialog.
//
//     TfrmStampaDentale window(m_services, this); // reads the controls of its parent
//     window.exec();
class TfrmStampaDentale : public PatientDocumentWindow {
    Q_OBJECT
public:
    explicit TfrmStampaDentale(Services& services, QWidget* parent = nullptr);

protected:
    // The preview window: the same sheet, shown instead of printed.
    TfrmStampaDentale(Services& services, QWidget* parent, Sheet sheet);
    void fill(report::ReportTemplate& form) const override;
};

} // namespace tarvola
