#include "prescrizioni/prescprintwindow.h"

#include "archive/logo.h"
#include "archive/recordlayout.h"
#include "platform/services.h"
#include "platform/ui.h"
#include "report/reporttemplate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tarvola {

namespace {

// The memos in the order they are filled, each with the label printed before the value.
struct Fill {
    QString memo;
    QString label;
};

QList<Fill> fillOrder() {
    QList<Fill> order{
        {QStringLiteral("txtStudioMedico"), {}},
        {QStringLiteral("txtIntRigo02"), {}},
        {QStringLiteral("txtIntRigo03"), {}},
        {QStringLiteral("txtIntRigo04"), {}},
        {QStringLiteral("txtNumFatt"), QStringLiteral("Prescrizione n. ")},
        {QStringLiteral("txtData"), QStringLiteral("Data emissione:  ")},
        {QStringLiteral("txtLuogo"), QStringLiteral("Luogo:  ")},
        {QStringLiteral("txtPaziente"), QStringLiteral("Cognome e nome:  ")},
        {QStringLiteral("txtSesso"), QStringLiteral("Sesso:  ")},
        {QStringLiteral("txtDataNasc"), QStringLiteral("Data di nascita:  ")},
        {QStringLiteral("txtCodFisc"), QStringLiteral("Codice fiscale:  ")},
        {QStringLiteral("txtRecapito"), QStringLiteral("Recapito:  ")},
        {QStringLiteral("txtTessera"), QStringLiteral("Tessera sanitaria n.  ")},
        {QStringLiteral("txtAsl"), QStringLiteral("ASL di provenienza:  ")},
        {QStringLiteral("txtIndirizzo"), QStringLiteral("Indirizzo:  ")},
        {QStringLiteral("txtEsenzione"), QStringLiteral("Esenzione:  ")},
        {QStringLiteral("txtMedico"), {}},
        {QStringLiteral("txtCodFiscMed"), {}},
        {QStringLiteral("txtTipologia"), {}},
        {QStringLiteral("txtPriorita"), {}},
        {QStringLiteral("txtQuesito"), {}},
    };
    for (const QString& stem :
         {QStringLiteral("Presc"), QStringLiteral("Quant"), QStringLiteral("Nota")}) {
        for (int i = 1; i <= 7; ++i)
            order.append({QStringLiteral("txt") + runName(stem, i), {}});
    }
    return order;
}

} // namespace

PrescPrintWindow::PrescPrintWindow(Services& services, QWidget* parent, const QString& name,
                                   const QString& caption, const QString& button,
                                   DocumentOutput output)
    : QDialog(parent)
    , m_services(services)
    , m_editor(parent)
    , m_output(output) {
    setObjectName(name);
    setWindowTitle(caption);
    makeFixedDialog(this);

    // The logo of the sheet and the default picture taken when Logo.bmp cannot be read.
    m_logoLabel = named(new QLabel(this), QStringLiteral("imgLogo"));
    m_logoLabel->hide();
    auto* fallback = named(new QLabel(this), QStringLiteral("imgTemp"));
    fallback->setPixmap(QPixmap::fromImage(logo::defaultLogo()));
    fallback->hide();

    auto* picture = named(new QLabel(this), QStringLiteral("imgStampa"));
    picture->setPixmap(svgPixmap(QStringLiteral(":/images/stampa.svg"), QSize(120, 120)));
    auto* text =
        new QLabel(QStringLiteral("Prescrizione medica visualizzata nell'archivio."), this);
    text->setAlignment(Qt::AlignCenter);

    auto* go = named(new QPushButton(button, this), output == DocumentOutput::Print
                                                        ? QStringLiteral("btnStampa")
                                                        : QStringLiteral("btnAnteprima"));
    auto* cancel =
        named(new QPushButton(QStringLiteral("Annulla"), this), QStringLiteral("btnAnnulla"));
    for (QPushButton* b : {go, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(go);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(12);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(text);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(go, &QPushButton::clicked, this, &PrescPrintWindow::output);
    connect(cancel, &QPushButton::clicked, this, &PrescPrintWindow::reject);
}

void PrescPrintWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Never an error: a missing or unreadable Logo.bmp gives the caduceus.
    m_logo = logo::load(m_services.programFolder());
    m_logoLabel->setPixmap(QPixmap::fromImage(m_logo));
}

void PrescPrintWindow::output() {
    if (printDocument(
            m_services, this, report::templates::prescrizione,
            [this](report::ReportTemplate& form) { fill(form); }, m_output))
        accept();
}

void PrescPrintWindow::fill(report::ReportTemplate& form) const {
    form.picture(QStringLiteral("imgLogo")).image = m_logo;
    // Every memo gets its text even when the control is empty: an empty field prints its
    // label alone, an empty line nothing (not the template's "0").
    for (const Fill& f : fillOrder())
        form.memo(f.memo).setText(f.label + editorText(m_editor, f.memo));
}

} // namespace tarvola
