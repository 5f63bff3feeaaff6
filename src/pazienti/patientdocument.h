#pragma once

#include "report/documentprint.h"

#include <QDialog>
#include <QPointer>
#include <QString>

class QPushButton;

namespace tarvola {

class Services;

namespace report {
class ReportTemplate;
}

// Lays out the patient satellites' small dialog: the picture, its explanation under it, and
// the action button (btnStampa, with the given caption) beside "Annulla" (btnAnnulla, which
// rejects the dialog). Gives the action button for the caller to connect.
QPushButton* layOutActionDialog(QDialog* dialog, QWidget* picture, QWidget* caption,
                                const QString& action);

// A sheet printed from the card shown in the patient editor, saved or not: the therapy
// history and the clinical analyses card. A picture, "Annulla" and the button that prints
// (or previews) and closes; the header with the practice logo and the patient's identity is
// filled here, the rest by the sheet's own fill.
class PatientDocumentWindow : public QDialog {
    Q_OBJECT
public:
    // The patient editor whose controls are printed; the parent unless given here.
    void setEditor(QWidget* editor) { m_editor = editor; }

protected:
    struct Sheet {
        QString objectName;
        QString caption;
        QString button;
        QString picture; // resource
        QString explanation;
        QString templatePath;
        DocumentOutput output = DocumentOutput::Print;
    };
    PatientDocumentWindow(Services& services, QWidget* parent, Sheet sheet);

    // The trimmed text of the editor's control.
    QString text(const QString& control) const;
    // Each memo gets its leading text followed by the editor's control of the same name
    // (or of the control given after it).
    void fillLabelled(report::ReportTemplate& form,
                      const QList<std::pair<const char*, const char*>>& memos) const;
    virtual void fill(report::ReportTemplate& form) const = 0;

private:
    void output();

    Services& m_services;
    Sheet m_sheet;
    QPointer<QWidget> m_editor;
};

} // namespace tarvola
