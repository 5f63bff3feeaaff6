#include "app/tfrmsplash.h"

#include "help/link.h"
#include "help/maker.h"
#include "platform/services.h"
#include "platform/ui.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvola {

TfrmSplash::TfrmSplash(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmSplash"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - ") + QString::fromUtf8(maker::credit));
    makeFixedDialog(this);
    setFixedSize(600, 498);

    auto* picture = named(new QLabel(this), QStringLiteral("imgLogo"));
    picture->setPixmap(svgPixmap(QStringLiteral(":/images/crediti.svg"), QSize(600, 380)));
    picture->setFixedSize(600, 380);

    const QString site = QString::fromLatin1(maker::web);
    auto* webPicture = named(new ClickableLabel(this), QStringLiteral("imgWeb"));
    webPicture->setPixmap(svgPixmap(QStringLiteral(":/images/web.svg"), QSize(28, 28)));
    webPicture->setFixedSize(28, 28);
    setHint(webPicture, QStringLiteral("Visita il sito web"));
    auto* webLink = named(new ClickableLabel(this), QStringLiteral("lnkWeb"));
    QString shown = site;
    shown.remove(QStringLiteral("https://"));
    webLink->setText(shown);
    makeLink(webLink, {webPicture}, [this, site] { m_services.shell().open(site); });

    auto* bottom = linkRow(this, webPicture, webLink);
    bottom->setContentsMargins(20, 10, 20, 14);

    // The public data the program ships, with the credit their licences ask for.
    auto* sources = named(new QLabel(this), QStringLiteral("lblFonti"));
    sources->setWordWrap(true);
    sources->setContentsMargins(20, 8, 20, 0);
    sources->setText(QStringLiteral(
        "Elenco dei comuni italiani e degli stati esteri per il calcolo del codice fiscale: "
        "Anagrafe Nazionale della Popolazione Residente (ANPR), Ministero dell'Interno, con "
        "licenza Creative Commons Attribuzione 4.0 (CC BY 4.0)."));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(picture);
    layout->addWidget(sources);
    layout->addLayout(bottom, 1);
}

} // namespace tarvola
