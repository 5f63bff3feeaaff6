#include "app/tfrminfo.h"

#include "help/link.h"
#include "help/maker.h"
#include "platform/services.h"
#include "platform/ui.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tarvola {

TfrmInfo::TfrmInfo(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmInfo"));
    setWindowTitle(QStringLiteral(" Informazioni su Tarvola 3.0"));
    makeFixedDialog(this);
    setFixedSize(520, 420);

    auto* logo = named(new QLabel(this), QStringLiteral("imgLogo"));
    logo->setPixmap(svgPixmap(QStringLiteral(":/images/striscia_info.svg"), QSize(520, 64)));
    logo->setFixedSize(520, 64);
    auto* product = named(new QLabel(this), QStringLiteral("imgProdotto"));
    product->setPixmap(svgPixmap(QStringLiteral(":/images/prodotto.svg"), QSize(480, 280)));
    product->setFixedSize(480, 280);

    const QString address = QString::fromLatin1(maker::email);
    auto* mailPicture = named(new ClickableLabel(this), QStringLiteral("imgEmail"));
    mailPicture->setPixmap(svgPixmap(QStringLiteral(":/images/email.svg"), QSize(28, 28)));
    mailPicture->setFixedSize(28, 28);
    setHint(mailPicture, QStringLiteral("Scrivi a ") + address);
    auto* mailLink = named(new ClickableLabel(this), QStringLiteral("lnkWeb"));
    mailLink->setText(address);
    makeLink(mailLink, {mailPicture}, [this] { m_services.shell().open(mailTarget()); });

    auto* bottom = linkRow(this, mailPicture, mailLink);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(20, 12, 20, 14);
    body->addWidget(product, 0, Qt::AlignHCenter);
    body->addStretch();
    body->addLayout(bottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(logo);
    layout->addLayout(body, 1);
}

QString TfrmInfo::mailTarget() {
    // Subject and body go as they are, blanks included: the mail program reads them so.
    return QStringLiteral("\"mailto:") + QString::fromLatin1(maker::email) +
           QStringLiteral("?subject=Software Tarvola 3.0&body=Salve, desidererei avere le "
                          "seguenti informazioni sul software in oggetto:\"");
}

void TfrmInfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

} // namespace tarvola
