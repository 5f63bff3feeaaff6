#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QRadioButton;
class QPushButton;

namespace tarvola {

class Services;

namespace report {
class ReportTemplate;
}

// Prints the red prescription shown in the editor onto the pre-printed form: only the
// values, each at its box, shifted by the user's top and left margins (whole millimetres,
// kept in Impostazioni.ini with the orientation). Closes after printing, after a cancelled
// print dialog and after a failure.
//
//     TfrmStampaRicetta window(m_services, this); // reads the controls of its parent
//     window.exec();
class TfrmStampaRicetta : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaRicetta(Services& services, QWidget* parent = nullptr);

    // The red prescription editor whose controls are printed, found by their names; the
    // parent unless given here.
    void setEditor(QWidget* editor) { m_editor = editor; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadSettings();
    void print();
    void storeSettings() const;
    void fill(report::ReportTemplate& form) const;
    QWidget* editorControl(const QString& name) const;
    QString editorText(const QString& name) const;
    bool ticked(const QString& toggle) const;

    Services& m_services;
    QPointer<QWidget> m_editor;
    QLineEdit* m_top;
    QLineEdit* m_left;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    QLabel* m_wait;
    QPushButton* m_print;
};

} // namespace tarvola
