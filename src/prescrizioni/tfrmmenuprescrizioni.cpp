#include "prescrizioni/tfrmmenuprescrizioni.h"

#include "help/tfrmguida.h"
#include "platform/services.h"
#include "platform/ui.h"
#include "prescrizioni/digitentry.h"
#include "prescrizioni/prescrizionerecord.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tarvola {

namespace {

const QString fourDigits =
    QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");

ClickableLabel* picture(QWidget* parent, const QString& name, const QString& icon,
                        const QString& hint) {
    auto* label = named(new ClickableLabel(parent), name);
    label->setPixmap(svgPixmap(QStringLiteral(":/images/%1.svg").arg(icon), QSize(40, 40)));
    label->setFixedSize(40, 40);
    setHint(label, hint);
    return label;
}

} // namespace

TfrmMenuPrescrizioni::TfrmMenuPrescrizioni(Services& services, QWidget* parent)
    : AppWindow(services, parent) {
    setObjectName(QStringLiteral("TfrmMenuPrescrizioni"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Emissione Prescrizioni"));
    setStyleSheet(QStringLiteral(
        "#TfrmMenuPrescrizioni { background: #eef3fb; }"
        "#panAnno { background: #ffffff; border: 1px solid #c9d6ea; border-radius: 10px; }"
        "#panAnno QLineEdit { border: 1px solid #b9cbe6; border-radius: 3px; padding: 3px 5px;"
        " font-size: 15pt; font-weight: bold; }"));
    setAttribute(Qt::WA_StyledBackground);

    auto* help = picture(this, QStringLiteral("imgGuida"), QStringLiteral("guida"),
                         QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    auto* quit = picture(this, QStringLiteral("imgEsci"), QStringLiteral("esci"),
                         QStringLiteral("Esci da questa schermata di lavoro."));
    m_memory = named(new QLabel(QStringLiteral("avvio"), this), QStringLiteral("lblMemory"));
    m_memory->hide();

    auto* icon = new QLabel(this);
    icon->setPixmap(svgPixmap(QStringLiteral(":/images/app_prescrizioni.svg"), QSize(96, 96)));
    auto* intro = new QLabel(QStringLiteral("In questo ambiente è possibile emettere prescrizioni "
                                            "di farmaci o analisi cliniche per i propri pazienti."),
                             this);
    intro->setWordWrap(true);

    auto* panel = named(new QFrame(this), QStringLiteral("panAnno"));
    auto* caption = new QLabel(QStringLiteral("Archivio prescrizioni:"), panel);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    auto* yearCaption = new QLabel(QStringLiteral("Anno:"), panel);
    m_year = named(new QLineEdit(panel), QStringLiteral("txtAnnoPreventivi"));
    m_year->setMaxLength(4);
    m_year->setFixedWidth(90);
    m_year->setAlignment(Qt::AlignCenter);
    yearCaption->setBuddy(m_year);
    auto* open =
        named(new QPushButton(QStringLiteral("Apri"), panel), QStringLiteral("btnApriPreventivi"));
    open->setAutoDefault(false);
    open->setMinimumWidth(96);
    installDigitEntry(m_year, open);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(20, 16, 20, 16);
    row->setSpacing(10);
    row->addWidget(caption);
    row->addStretch();
    row->addWidget(yearCaption);
    row->addWidget(m_year);
    row->addWidget(open);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(intro, 1);
    top->addWidget(help, 0, Qt::AlignTop);
    top->addWidget(quit, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 24);
    layout->setSpacing(18);
    layout->addLayout(top);
    layout->addWidget(panel);
    layout->addStretch();
    resize(620, 260);

    connect(open, &QPushButton::clicked, this, &TfrmMenuPrescrizioni::openYear);
    connect(help, &ClickableLabel::clicked, this,
            [this] { openHelp(m_services, this, help::TopicId::Prescrizioni); });
    connect(quit, &ClickableLabel::clicked, this, &QWidget::close);
}

QString TfrmMenuPrescrizioni::memory() const {
    return m_memory->text();
}

void TfrmMenuPrescrizioni::showEvent(QShowEvent* event) {
    AppWindow::showEvent(event);
    if (event->spontaneous())
        return;
    m_year->setText(m_services.clock().today().toString(QStringLiteral("yyyy")));
    m_memory->setText(QStringLiteral("avvio"));
    m_year->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuPrescrizioni::openYear() {
    // The year becomes part of a file name: only four digits name an archive, whatever was
    // typed or pasted.
    const std::optional<QString> name = prescrizione::archiveNameOfYear(m_year->text());
    if (!name) {
        m_services.messages().warning(this, fourDigits);
        m_year->setFocus(Qt::OtherFocusReason);
        return;
    }
    emit yearOpened(m_services.path(*name), m_year->text());
    m_memory->setText(QStringLiteral("prescrizioni"));
    close();
}

} // namespace tarvola
