#include "farmaci/tfrmstampafarmaco.h"

#include "farmaci/farmacorecord.h"
#include "platform/services.h"
#include "platform/ui.h"
#include "report/documentprint.h"
#include "report/reporttemplate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvola {

TfrmStampaFarmaco::TfrmStampaFarmaco(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_editor(parent) {
    setObjectName(QStringLiteral("TfrmStampaFarmaco"));
    setWindowTitle(QStringLiteral(" Stampa scheda"));
    makeFixedDialog(this);

    auto* picture = named(new QLabel(this), QStringLiteral("imgStampa"));
    picture->setPixmap(svgPixmap(QStringLiteral(":/images/scheda_farmaco.svg"), QSize(220, 150)));
    auto* caption = new QLabel(QStringLiteral("Stampa della scheda farmaco visualizzata."), this);
    caption->setAlignment(Qt::AlignCenter);

    auto* print =
        named(new QPushButton(QStringLiteral("Stampa"), this), QStringLiteral("btnStampa"));
    auto* cancel =
        named(new QPushButton(QStringLiteral("Annulla"), this), QStringLiteral("btnAnnulla"));
    for (QPushButton* b : {print, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(96);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(12);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(caption);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(print, &QPushButton::clicked, this, &TfrmStampaFarmaco::print);
    connect(cancel, &QPushButton::clicked, this, &TfrmStampaFarmaco::reject);
}

void TfrmStampaFarmaco::print() {
    if (printDocument(m_services, this, report::templates::schedaFarmaco,
                      [this](report::ReportTemplate& form) { fill(form); }))
        accept();
}

void TfrmStampaFarmaco::fill(report::ReportTemplate& form) const {
    // Each value memo is named after the editor's edit it prints.
    for (const farmaco::FormField& f : farmaco::formFields()) {
        const QString name = QStringLiteral("txt") + f.field;
        form.memo(name).setText(editorText(m_editor, name));
    }
}

} // namespace tarvola
