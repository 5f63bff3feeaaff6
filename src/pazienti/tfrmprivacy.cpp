#include "pazienti/tfrmprivacy.h"

#include "archive/settings.h"
#include "pazienti/privacyform.h"
#include "pazienti/typingrules.h"
#include "platform/files.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace tarvola {

namespace {

// A row of the form: its caption, its edit, the province picker beside it if any, and the
// settings key that keeps it (practice values and the place only).
struct Row {
    const char* caption;
    const char* edit;
    const char* province;
    const SettingKey* key;
    const SettingKey* provinceKey;
};

const QList<Row> practiceRows{
    {"Studio Medico:", "txtStudioDent", nullptr, &settings::privacyStudio, nullptr},
    {"Recapiti telefonici:", "txtTelDent", nullptr, &settings::privacyRecapiti, nullptr},
    {"Partita IVA:", "txtIvaDent", nullptr, &settings::privacyIva, nullptr},
    {"C.F.", "txtCodFiscDent", nullptr, &settings::privacyCodFisc, nullptr},
    {"Comune sede legale:", "txtCittaDent", "txtProvDent", &settings::privacyComune,
     &settings::privacyProvincia},
    {"Via e numero civico:", "txtIndirizzoDent", nullptr, &settings::privacyVia, nullptr},
    {"CAP:", "txtCapDent", nullptr, &settings::privacyCap, nullptr},
};

const QList<Row> patientRows{
    {"Cognome e nome Paziente:", "txtPaziente", nullptr, nullptr, nullptr},
    {"Comune di nascita:", "txtComuneNasc", "txtProvNasc", nullptr, nullptr},
    {"Data di nascita:", "txtDataNasc", nullptr, nullptr, nullptr},
    {"C.F.", "txtCodFisc", nullptr, nullptr, nullptr},
    {"Comune di residenza:", "txtComuneRes", "txtProvRes", nullptr, nullptr},
    {"Via e numero civico:", "txtIndirizzo", nullptr, nullptr, nullptr},
    {"CAP:", "txtCapRes", nullptr, nullptr, nullptr},
    {"Tel.", "txtRecapito", nullptr, nullptr, nullptr},
};

const QList<Row> formRows{
    {"Titolare Privacy:", "txtPrivacy", nullptr, nullptr, nullptr},
    {"Data:", "txtData", nullptr, nullptr, nullptr},
    {"Luogo:", "txtLuogo", nullptr, &settings::privacyLuogo, nullptr},
};

const QString confirmMessage =
    QStringLiteral("Questa procedura esporterà il modulo per il consenso al trattamento dei dati "
                   "personali in un documento in formato RTF.\r\n\r\nSi conferma la creazione del "
                   "file?");
const QString doneMessage =
    QStringLiteral("Il file del modulo per il trattamento dei dati personali è stato creato con "
                   "successo.\r\n\r\nSi vuole aprire il documento?");
const QString failedMessage =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi "
                   "che il documento non sia già aperto.");

QString frameName(const char* edit) {
    return QStringLiteral("eff") + QString::fromLatin1(edit).mid(3);
}

} // namespace

TfrmPrivacy::TfrmPrivacy(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmPrivacy"));
    setWindowTitle(QStringLiteral(" Esporta e stampa Modulo Privacy"));
    makeFixedDialog(this);

    const auto block = [this](const QString& title, const QList<Row>& rows) {
        auto* box = new QGroupBox(title, this);
        auto* grid = new QGridLayout(box);
        grid->setColumnMinimumWidth(1, 340);
        int row = 0;
        for (const Row& r : rows) {
            auto* edit = named(new QLineEdit(box), QString::fromLatin1(r.edit));
            auto* caption = new QLabel(QString::fromUtf8(r.caption), box);
            caption->setBuddy(edit);
            grid->addWidget(caption, row, 0);
            grid->addWidget(edit, row, 1);
            attachFocusFrame(edit, frameName(r.edit));
            m_order << edit;
            if (r.province) {
                auto* picker = named(new QComboBox(box), QString::fromLatin1(r.province));
                makeProvincePicker(picker);
                picker->setMinimumWidth(70);
                grid->addWidget(picker, row, 2);
                attachFocusFrame(picker, frameName(r.province));
                m_order << picker;
            }
            ++row;
        }
        return box;
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addWidget(block(QStringLiteral("Dati dello Studio Medico"), practiceRows));
    layout->addWidget(block(QStringLiteral("Dati del Paziente"), patientRows));
    layout->addWidget(block(QStringLiteral("Modulo"), formRows));

    auto* create =
        named(new QPushButton(QStringLiteral("Crea file RTF"), this), QStringLiteral("btnRTF"));
    auto* close =
        named(new QPushButton(QStringLiteral("Chiudi"), this), QStringLiteral("btnChiudi"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {create, close}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    for (const char* name : {"txtCodFisc", "txtCodFiscDent"})
        tidyWhileTyping(findChild<QLineEdit*>(QString::fromLatin1(name)), true);
    acceptDigitsOnly(findChild<QLineEdit*>(QStringLiteral("txtIvaDent")));
    installEnterOrder(m_order);
    for (qsizetype i = 1; i < m_order.size(); ++i)
        setTabOrder(m_order[i - 1], m_order[i]);

    connect(create, &QPushButton::clicked, this, &TfrmPrivacy::createDocument);
    connect(close, &QPushButton::clicked, this, &TfrmPrivacy::closeAndRemember);
}

QString TfrmPrivacy::value(const QString& control) const {
    if (auto* picker = findChild<QComboBox*>(control))
        return trimText(picker->currentText());
    if (auto* edit = findChild<QLineEdit*>(control))
        return trimText(edit->text());
    return {};
}

void TfrmPrivacy::setValue(const QString& control, const QString& text) {
    if (auto* picker = findChild<QComboBox*>(control))
        picker->setEditText(text);
    else if (auto* edit = findChild<QLineEdit*>(control))
        edit->setText(text);
}

void TfrmPrivacy::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    for (QComboBox* picker : findChildren<QComboBox*>()) {
        // No list entry chosen, the text typed or filled in kept.
        const QString text = picker->currentText();
        picker->setCurrentIndex(-1);
        picker->setEditText(text);
    }
    for (const Row& r : practiceRows + formRows) {
        if (r.key)
            setValue(QString::fromLatin1(r.edit),
                     settings::read(m_services.programFolder(), *r.key));
        if (r.provinceKey)
            setValue(QString::fromLatin1(r.province),
                     settings::read(m_services.programFolder(), *r.provinceKey));
    }
    if (!m_order.isEmpty())
        m_order.front()->setFocus();
}

void TfrmPrivacy::createDocument() {
    if (m_services.messages().ask(this, confirmMessage) == Answer::No)
        return;
    privacy::Values values;
    for (QWidget* control : std::as_const(m_order))
        values.insert(control->objectName(), value(control->objectName()));
    const QString path = m_services.path(QString::fromLatin1(privacy::documentName));
    // Written whole or not at all: a document open in a word processor stays as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(privacy::document(values)) < 0 ||
        !files::commitWhole(file)) {
        m_services.messages().plain(this, failedMessage);
        return;
    }
    if (m_services.messages().ask(this, doneMessage) == Answer::No)
        return;
    m_services.shell().open(u'"' + path + u'"');
    reject(); // the practice values are kept only by "Chiudi"
}

void TfrmPrivacy::closeAndRemember() {
    QList<std::pair<const SettingKey*, QString>> kept;
    for (const Row& r : practiceRows + formRows) {
        if (r.key)
            kept.append({r.key, value(QString::fromLatin1(r.edit))});
        if (r.provinceKey)
            kept.append({r.provinceKey, value(QString::fromLatin1(r.province))});
    }
    for (const auto& [key, text] : kept) {
        if (!settings::write(m_services.programFolder(), *key, text)) {
            m_services.messages().warning(this, settings::writeFailedMessage(*key));
            break;
        }
    }
    accept();
}

} // namespace tarvola
