#include "app/tfrmavvio.h"

#include "app/practicearchives.h"
#include "app/tfrminfo.h"
#include "app/tfrmsplash.h"
#include "backup/tfrmcopie.h"
#include "help/helptopics.h"
#include "help/link.h"
#include "help/maker.h"
#include "help/tfrmguida.h"
#include "platform/services.h"
#include "platform/ui.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvola {

namespace {

QPixmap picture(const QString& resource, QSize size) {
    return svgPixmap(resource, size);
}

ClickableLabel* pictureLabel(QWidget* parent, const QString& name, const QString& resource,
                             QSize size, const QString& hint) {
    auto* label = named(new ClickableLabel(parent), name);
    label->setPixmap(picture(resource, size));
    label->setFixedSize(size);
    setHint(label, hint);
    return label;
}

} // namespace

TfrmAvvio::TfrmAvvio(Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmAvvio"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xF4, 0xF7, 0xFC));
    setPalette(pal);
    resize(1024, 720);

    auto* info = pictureLabel(this, QStringLiteral("imgInfo"), QStringLiteral(":/images/info.svg"),
                              QSize(40, 40), QStringLiteral("Informazioni su Tarvola 3.0"));
    auto* guide =
        pictureLabel(this, QStringLiteral("imgGuida"), QStringLiteral(":/images/guida.svg"),
                     QSize(40, 40), QStringLiteral("Guida all'utilizzo del software"));
    auto* credits =
        pictureLabel(this, QStringLiteral("imgCopyright"), QStringLiteral(":/images/copyright.svg"),
                     QSize(40, 40), QStringLiteral("Riconoscimenti"));
    auto* backups =
        pictureLabel(this, QStringLiteral("imgCopie"), QStringLiteral(":/images/copie.svg"),
                     QSize(40, 40), QStringLiteral("Copie di sicurezza dei dati"));
    auto* quit = pictureLabel(this, QStringLiteral("imgEsci"), QStringLiteral(":/images/esci.svg"),
                              QSize(40, 40), QStringLiteral("Esci dal programma"));
    auto* site = pictureLabel(this, QStringLiteral("icoSito"), QStringLiteral(":/images/sito.svg"),
                              QSize(600, 36), QStringLiteral("Visita il sito web"));
    auto* title = named(new QLabel(this), QStringLiteral("imgTitolo"));
    title->setPixmap(picture(QStringLiteral(":/images/titolo.svg"), QSize(720, 110)));
    auto* subtitle = named(new QLabel(this), QStringLiteral("imgSottotitolo"));
    subtitle->setPixmap(picture(QStringLiteral(":/images/sottotitolo.svg"), QSize(640, 40)));

    auto* top = new QHBoxLayout;
    top->addWidget(info, 0, Qt::AlignTop);
    top->addStretch();
    top->addWidget(backups, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addWidget(guide, 0, Qt::AlignTop);

    auto* panel = named(new QFrame(this), QStringLiteral("panApp"));
    panel->setStyleSheet(QStringLiteral(
        "#panApp { background: #ffffff; border: 1px solid #d5def0; border-radius: 14px; }"));
    auto* tiles = new QHBoxLayout(panel);
    tiles->setContentsMargins(28, 24, 28, 24);
    tiles->setSpacing(28);
    tiles->addWidget(buildTile(App::Pazienti, QStringLiteral("app_pazienti"),
                               QStringLiteral("Archivio Pazienti")));
    tiles->addWidget(
        buildTile(App::Farmaci, QStringLiteral("app_farmaci"), QStringLiteral("Archivio Farmaci")));
    tiles->addWidget(buildTile(App::Prescrizioni, QStringLiteral("app_prescrizioni"),
                               QStringLiteral("Emissione Prescrizioni")));
    tiles->addWidget(buildTile(App::Ricette, QStringLiteral("app_ricette"),
                               QStringLiteral("Ricette Mediche Rosse")));

    // The reminder: one line, never a box, so the way from login to launcher stays the same.
    m_reminder = named(new QFrame(this), QStringLiteral("panPromemoria"));
    m_reminder->setStyleSheet(QStringLiteral(
        "#panPromemoria { background: #fff7e0; border: 1px solid #e8c66a; border-radius: 6px; }"));
    m_reminderText = named(new QLabel(m_reminder), QStringLiteral("lblPromemoria"));
    auto* reminderLink = named(new ClickableLabel(m_reminder), QStringLiteral("lnkCopie"));
    reminderLink->setText(QStringLiteral("Crea ora una copia di sicurezza"));
    makeLink(reminderLink, {}, [this] { showBackups(); });
    auto* reminderRow = new QHBoxLayout(m_reminder);
    reminderRow->setContentsMargins(12, 6, 12, 6);
    reminderRow->addWidget(m_reminderText);
    reminderRow->addSpacing(12);
    reminderRow->addWidget(reminderLink);
    m_reminder->setVisible(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(credits, 0, Qt::AlignBottom);
    bottom->addStretch();
    bottom->addWidget(quit, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addLayout(top);
    layout->addStretch(1);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(subtitle, 0, Qt::AlignHCenter);
    layout->addSpacing(24);
    layout->addWidget(panel, 0, Qt::AlignHCenter);
    layout->addStretch(2);
    layout->addWidget(m_reminder, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(site, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addLayout(bottom);

    connect(info, &ClickableLabel::clicked, this, &TfrmAvvio::showInfo);
    connect(guide, &ClickableLabel::clicked, this, &TfrmAvvio::showHelp);
    connect(credits, &ClickableLabel::clicked, this, &TfrmAvvio::showCredits);
    connect(backups, &ClickableLabel::clicked, this, &TfrmAvvio::showBackups);
    connect(quit, &ClickableLabel::clicked, this, &TfrmAvvio::exitRequested);
    connect(site, &ClickableLabel::clicked, this,
            [this] { m_services.shell().open(QString::fromLatin1(maker::web)); });
}

QWidget* TfrmAvvio::buildTile(App app, const QString& pictureName, const QString& caption) {
    const int n = static_cast<int>(app);
    auto* tile = new QWidget(this);
    auto* image = pictureLabel(tile, QStringLiteral("imgApp0%1").arg(n),
                               QStringLiteral(":/images/%1.svg").arg(pictureName), QSize(150, 150),
                               QStringLiteral("Apri ") + caption);
    auto* button = named(new QPushButton(QIcon(QStringLiteral(":/images/apri.svg")), caption, tile),
                         QStringLiteral("btnApp0%1").arg(n));
    button->setIconSize(QSize(20, 20));
    button->setMinimumHeight(34);
    button->setCursor(Qt::PointingHandCursor);
    setHint(button, QStringLiteral("Apri ") + caption);
    auto* layout = new QVBoxLayout(tile);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(image, 0, Qt::AlignHCenter);
    layout->addSpacing(6);
    layout->addWidget(button);
    connect(image, &ClickableLabel::clicked, this, [this, app] { emit appRequested(app); });
    connect(button, &QPushButton::clicked, this, [this, app] { emit appRequested(app); });
    return tile;
}

void TfrmAvvio::closeEvent(QCloseEvent* event) {
    event->accept();
    emit exitRequested();
}

void TfrmAvvio::showEvent(QShowEvent* event) {
    updateReminder();
    QWidget::showEvent(event);
}

void TfrmAvvio::updateReminder() {
    const int days = settings::read(m_services.programFolder(), settings::giorniPromemoria).toInt();
    const std::optional<QDateTime> last = backup::lastBackup(m_services.programFolder());
    const QDate today = m_services.clock().today();
    const bool due = !last || last->date().daysTo(today) >= (days > 0 ? days : 7);
    if (due)
        m_reminderText->setText(
            last ? QStringLiteral("L'ultima copia di sicurezza dei dati risale al %1.")
                       .arg(last->date().toString(QStringLiteral("dd/MM/yyyy")))
                 : QStringLiteral("Non è ancora stata fatta una copia di sicurezza dei dati."));
    m_reminder->setVisible(due);
}

void TfrmAvvio::showBackups() {
    TfrmCopie window(m_services, practiceArchives(), this);
    window.exec();
    updateReminder();
}

void TfrmAvvio::showInfo() {
    TfrmInfo window(m_services, this);
    window.exec();
}

void TfrmAvvio::showHelp() {
    TfrmGuida window(m_services, this);
    const help::Topic topic = help::overview();
    window.setTopic(topic.title, topic.text);
    window.exec();
}

void TfrmAvvio::showCredits() {
    TfrmSplash window(m_services, this);
    window.exec();
}

} // namespace tarvola
