#pragma once

#include <QDialog>
#include <QList>

namespace tarvola {

class Services;

// The privacy consent form of the patient on screen, written as Modulo_Privacy.rtf in the
// program folder. The practice's block and the place come from section "Modulo Privacy" of
// Velmora.ini and are stored back only by "Chiudi"; the patient editor fills the patient's
// block (txtPaziente, txtComuneNasc, txtProvNasc, txtDataNasc, txtCodFisc, txtComuneRes,
// txtProvRes, txtIndirizzo, txtCapRes, txtRecapito, txtPrivacy, txtData) before showing it.
// Every value stays editable before the document is written.
class TfrmPrivacy : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrivacy(Services& services, QWidget* parent = nullptr);

    // The text of a control of the form, trimmed.
    QString value(const QString& control) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setValue(const QString& control, const QString& text);
    void createDocument();
    void closeAndRemember();

    Services& m_services;
    QList<QWidget*> m_order;
};

} // namespace tarvola
