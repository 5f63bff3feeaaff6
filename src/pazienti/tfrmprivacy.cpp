#include "pazienti/tfrmprivacy.h"

#include "pazienti/typingrules.h"
#include "platform/ui.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvola {

namespace {

struct PatientRow {
    const char* caption;
    const char* edit;
    const char* province; // the province picker beside it, if any
};

constexpr PatientRow patientRows[] = {
    {"Cognome e nome Paziente:", "txtPaziente", nullptr},
    {"Comune di nascita:", "txtComuneNasc", "txtProvNasc"},
    {"Data di nascita:", "txtDataNasc", nullptr},
    {"C.F.", "txtCodFisc", nullptr},
    {"Comune di residenza:", "txtComuneRes", "txtProvRes"},
    {"Via e numero civico:", "txtIndirizzo", nullptr},
    {"CAP:", "txtCapRes", nullptr},
    {"Tel.", "txtRecapito", nullptr},
    {"Titolare Privacy:", "txtPrivacy", nullptr},
    {"Data:", "txtData", nullptr},
};

} // namespace

TfrmPrivacy::TfrmPrivacy(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmPrivacy"));
    setWindowTitle(QStringLiteral(" Esporta e stampa Modulo Privacy"));
    makeFixedDialog(this);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(18, 16, 18, 14);
    grid->setColumnMinimumWidth(1, 320);
    int row = 0;
    for (const PatientRow& r : patientRows) {
        auto* edit = named(new QLineEdit(this), QString::fromLatin1(r.edit));
        auto* caption = new QLabel(QString::fromUtf8(r.caption), this);
        caption->setBuddy(edit);
        grid->addWidget(caption, row, 0);
        grid->addWidget(edit, row, 1);
        if (r.province) {
            auto* picker = named(new QComboBox(this), QString::fromLatin1(r.province));
            makeProvincePicker(picker);
            grid->addWidget(picker, row, 2);
        }
        ++row;
    }
    tidyWhileTyping(findChild<QLineEdit*>(QStringLiteral("txtCodFisc")), true);
    auto* close =
        named(new QPushButton(QStringLiteral("Chiudi"), this), QStringLiteral("btnChiudi"));
    close->setAutoDefault(false);
    grid->addWidget(close, row, 0, 1, 3, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace tarvola
