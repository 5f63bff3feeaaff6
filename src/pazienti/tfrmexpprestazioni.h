#pragma once

#include <QDialog>
#include <QPointer>

namespace tarvola {

class Services;

// Writes the 96 performed-service rows of the card shown in the patient editor, saved or
// not, to Prestazioni.xls (sheet "Riepilogo Prestazioni"): date, time, service and amount,
// the amount right-aligned; empty rows too. Opening the file closes the window.
//
//     TfrmExpPrestazioni window(m_services, this); // reads the controls of its parent
//     window.exec();
class TfrmExpPrestazioni : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExpPrestazioni(Services& services, QWidget* parent = nullptr);

    // The patient editor whose rows are written; the parent unless given here.
    void setEditor(QWidget* editor) { m_editor = editor; }

private:
    void exportRows();

    Services& m_services;
    QPointer<QWidget> m_editor;
};

} // namespace tarvola
