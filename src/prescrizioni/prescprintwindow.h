#pragma once

#include "report/documentprint.h"

#include <QDialog>
#include <QImage>
#include <QPointer>

class QLabel;

namespace tarvola {

class Services;

namespace report {
class ReportTemplate;
}

// Puts the "Prescrizione Medica" template filled from the prescription on screen in the
// editor, saved or not, under the practice logo (Logo.bmp, or the caduceus when it cannot be
// read), on paper or in the preview. TfrmStampaPresc and TfrmAnteprimaPresc are this window
// with their caption, button and output. Closes after the output and after a cancelled print
// dialog; stays open, having said why, when printing fails.
class PrescPrintWindow : public QDialog {
    Q_OBJECT
public:
    // The editor whose controls are printed; the parent unless given here.
    void setEditor(QWidget* editor) { m_editor = editor; }

    // The logo the next output puts on the sheet.
    const QImage& logo() const { return m_logo; }

protected:
    PrescPrintWindow(Services& services, QWidget* parent, const QString& name,
                     const QString& caption, const QString& button, DocumentOutput output);
    void showEvent(QShowEvent* event) override;

private:
    void output();
    void fill(report::ReportTemplate& form) const;

    Services& m_services;
    QPointer<QWidget> m_editor;
    DocumentOutput m_output;
    QImage m_logo;
    QLabel* m_logoLabel;
};

} // namespace tarvola
