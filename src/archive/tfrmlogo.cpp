#include "archive/tfrmlogo.h"

#include "archive/logo.h"
#include "platform/services.h"
#include "platform/ui.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarvola {

namespace {

const QString browseTitle =
    QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap.");
const QString browseFilter =
    QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp");
const QString saveFailed = QStringLiteral(
    "Attenzione: non è stato possibile salvare il logo nel file Logo.bmp.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
    "programma.");

QToolButton* pictureButton(QWidget* parent, const QString& name, const QString& icon,
                           const QString& hint) {
    auto* button = named(new QToolButton(parent), name);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setAutoRaise(true);
    setHint(button, hint);
    return button;
}

} // namespace

TfrmLogo::TfrmLogo(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmLogo"));
    setWindowTitle(QStringLiteral(" Impostazione logo"));
    makeFixedDialog(this);

    m_preview = named(new QLabel(this), QStringLiteral("imgLogo"));
    m_preview->setFixedSize(logo::defaultWidth, logo::defaultHeight);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setStyleSheet(QStringLiteral("background: white; border: 1px solid #a0a0a0;"));

    auto* browse =
        named(new QPushButton(QStringLiteral("Sfoglia..."), this), QStringLiteral("btnSfoglia"));
    auto* blank =
        pictureButton(this, QStringLiteral("btnCancLogo"),
                      QStringLiteral(":/images/nessun_logo.svg"), QStringLiteral("Nessun logo"));
    auto* standard = pictureButton(this, QStringLiteral("imgEuro"),
                                   QStringLiteral(":/images/logo_predefinito.svg"),
                                   QStringLiteral("Logo predefinito"));
    auto* applyButton = named(new QPushButton(QStringLiteral("Applica e chiudi"), this),
                              QStringLiteral("btnApplica"));
    auto* cancel =
        named(new QPushButton(QStringLiteral("Annulla"), this), QStringLiteral("btnAnnulla"));
    for (QPushButton* b : {browse, applyButton, cancel})
        b->setAutoDefault(false);

    auto* tools = new QHBoxLayout;
    tools->addWidget(browse);
    tools->addStretch();
    tools->addWidget(blank);
    tools->addWidget(standard);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(applyButton);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_preview, 0, Qt::AlignHCenter);
    layout->addLayout(tools);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(browse, &QPushButton::clicked, this, &TfrmLogo::browse);
    connect(blank, &QToolButton::clicked, this, [this] { setImage(logo::blankLogo()); });
    connect(standard, &QToolButton::clicked, this, [this] { setImage(logo::defaultLogo()); });
    connect(applyButton, &QPushButton::clicked, this, &TfrmLogo::apply);
    connect(cancel, &QPushButton::clicked, this, &TfrmLogo::reject);
}

void TfrmLogo::showEvent(QShowEvent* event) {
    setImage(logo::load(m_services.programFolder()));
    QDialog::showEvent(event);
}

void TfrmLogo::browse() {
    const auto path = m_services.fileDialog().openFile(this, browseTitle, browseFilter);
    if (!path)
        return;
    const QImage picked(*path);
    setImage(picked.isNull() ? logo::defaultLogo() : picked);
}

void TfrmLogo::apply() {
    if (!logo::save(m_services.programFolder(), m_image)) {
        setImage(logo::defaultLogo());
        m_services.messages().warning(this, saveFailed);
    }
    accept();
}

void TfrmLogo::setImage(const QImage& image) {
    m_image = image;
    const QSize area(logo::defaultWidth, logo::defaultHeight);
    QPixmap shown = QPixmap::fromImage(image);
    if (shown.width() > area.width() || shown.height() > area.height())
        shown = shown.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_preview->setPixmap(shown);
}

} // namespace tarvola
