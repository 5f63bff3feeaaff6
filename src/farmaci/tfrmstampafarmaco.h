#pragma once

#include <QDialog>
#include <QPointer>

namespace tarvola {

class Services;

namespace report {
class ReportTemplate;
}

// Prints the drug card shown in the drug editor, saved or not, on one A4 sheet ("Scheda
// Farmaco"): the 25 texts of the form, each beside its caption, and the date and time of
// printing. Closes after printing and after a cancelled print dialog; stays open, having
// said why, when printing fails.
//
//     TfrmStampaFarmaco window(m_services, this); // reads the controls of its parent
//     window.exec();
class TfrmStampaFarmaco : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaFarmaco(Services& services, QWidget* parent = nullptr);

    // The drug editor whose edits are printed; the parent unless given here.
    void setEditor(QWidget* editor) { m_editor = editor; }

private:
    void print();
    void fill(report::ReportTemplate& form) const;

    Services& m_services;
    QPointer<QWidget> m_editor;
};

} // namespace tarvola
