#include "archive/tfrmallegacartella.h"

#include "platform/files.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvola {

namespace {

const QString attachmentsFolder = QStringLiteral("Documenti_Allegati");
const QString browseTitle = QStringLiteral("Selezionare il file da allegare:");
const QString browseFilter = QStringLiteral("Tutti i file (*.*)|*.*");
const QString overwriteQuestion =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo "
                   "stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");
const QString copyFailed = QStringLiteral(
    "Attenzione: non è stato possibile copiare il file nella cartella dei documenti "
    "allegati.\n\r\n\rAccertarsi che il file sia leggibile e di possedere i privilegi di "
    "scrittura nella cartella di installazione del programma.");

// The tags of the four editors, in the order they are compared.
const QStringList callerTags = {QStringLiteral("farmaci"), QStringLiteral("pazienti"),
                                QStringLiteral("prescrizioni"), QStringLiteral("ricetta")};

QString number(int index) {
    return QStringLiteral("%1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

QString ordinal(int index) {
    return QString::number(index + 1) + QChar(0x00B0);
}

bool sameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(Services& services, QWidget* parent)
    : QDialog(parent)
    , m_services(services) {
    setObjectName(QStringLiteral("TfrmAllegaCartella"));
    setWindowTitle(QStringLiteral(" Allega file"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(609, 503);

    auto* logo = named(new QLabel(this), QStringLiteral("imgLogo"));
    logo->setPixmap(svgPixmap(QStringLiteral(":/images/striscia_allegati.svg"), QSize(609, 60)));
    logo->setFixedSize(609, 60);

    m_memory = named(new QLabel(this), QStringLiteral("lblMemory"));
    m_memory->hide();

    auto* slotList = new QVBoxLayout;
    slotList->setContentsMargins(18, 16, 18, 0);
    slotList->setSpacing(16);
    for (int i = 0; i < slotCount; ++i)
        slotList->addWidget(buildSlot(i));

    auto* applyButton = named(new QPushButton(QStringLiteral("Applica e chiudi"), this),
                              QStringLiteral("btnApplica"));
    auto* cancel =
        named(new QPushButton(QStringLiteral("Annulla"), this), QStringLiteral("btnAnnulla"));
    for (QPushButton* b : {applyButton, cancel}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(18, 0, 18, 14);
    buttons->setSpacing(8);
    buttons->addStretch();
    buttons->addWidget(applyButton);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(logo);
    layout->addLayout(slotList);
    layout->addStretch();
    layout->addLayout(buttons);

    installEnterOrder({m_slots[0].description, m_slots[1].description, m_slots[2].description});
    connect(applyButton, &QPushButton::clicked, this, &TfrmAllegaCartella::apply);
    connect(cancel, &QPushButton::clicked, this, &TfrmAllegaCartella::reject);
}

QWidget* TfrmAllegaCartella::buildSlot(int index) {
    const QString n = number(index);
    auto* box = named(new QFrame(this), QStringLiteral("panFile") + n);
    box->setStyleSheet(QStringLiteral("#panFile%1 { background: #f4f7fc; border: 1px solid "
                                      "#d5def0; border-radius: 6px; }")
                           .arg(n));

    Slot& slot = m_slots[index];
    slot.name = named(new QLineEdit(box), QStringLiteral("txtFile") + n);
    slot.name->setReadOnly(true);
    slot.name->setStyleSheet(QStringLiteral("QLineEdit { background: #eef1f6; }"));
    auto* remove = named(new QToolButton(box), QStringLiteral("imgCancella") + n);
    remove->setIcon(QIcon(QStringLiteral(":/images/cancella.svg")));
    remove->setIconSize(QSize(18, 18));
    remove->setAutoRaise(true);
    remove->setCursor(Qt::PointingHandCursor);
    setHint(remove, QStringLiteral("Rimuovi il ") + ordinal(index) + QStringLiteral(" allegato"));
    auto* browseButton =
        named(new QPushButton(QStringLiteral("Sfoglia..."), box), QStringLiteral("btnSfoglia") + n);
    slot.open = named(new QPushButton(QStringLiteral("Apri"), box), QStringLiteral("btnApri") + n);
    slot.open->setEnabled(false);
    for (QPushButton* b : {browseButton, slot.open}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(86);
    }
    slot.description = named(new QLineEdit(box), QStringLiteral("txtDesc") + n);

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(10, 6, 10, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel(attachmentCaption(index, false) + u':', box), 0, 0, 1, 4);
    grid->addWidget(slot.name, 1, 0);
    grid->addWidget(remove, 1, 1);
    grid->addWidget(browseButton, 1, 2);
    grid->addWidget(slot.open, 1, 3);
    grid->addWidget(new QLabel(attachmentCaption(index, true) + u':', box), 2, 0, 1, 4);
    grid->addWidget(slot.description, 3, 0, 1, 4);
    grid->setColumnStretch(0, 1);

    QPushButton* open = slot.open;
    connect(slot.name, &QLineEdit::textChanged, open,
            [open](const QString& text) { open->setEnabled(!trimText(text).isEmpty()); });
    QLineEdit* name = slot.name;
    connect(remove, &QToolButton::clicked, name, [name] { name->clear(); });
    connect(browseButton, &QPushButton::clicked, this, [this, index] { browse(index); });
    connect(slot.open, &QPushButton::clicked, this, [this, index] { openFile(index); });
    return box;
}

QString TfrmAllegaCartella::folder(const Services& services) {
    return services.path(attachmentsFolder);
}

QString TfrmAllegaCartella::storedPath(const Services& services, const QString& name) {
    QString bare = trimText(name);
    const qsizetype cut = std::max(bare.lastIndexOf(u'/'), bare.lastIndexOf(u'\\'));
    bare = trimText(bare.mid(cut + 1));
    if (bare.isEmpty() || bare == QStringLiteral(".") || bare == QStringLiteral(".."))
        return {};
    return files::join(folder(services), bare);
}

void TfrmAllegaCartella::showEvent(QShowEvent* event) {
    fillFromCaller();
    QDialog::showEvent(event);
}

QLabel* TfrmAllegaCartella::callerLabel(const QString& name) const {
    QWidget* caller = parentWidget();
    if (!caller)
        return nullptr;
    // Only the caller's own labels count, not those of a window it owns (this one included).
    for (QLabel* label : caller->findChildren<QLabel*>(name)) {
        if (label->window() == caller->window())
            return label;
    }
    return nullptr;
}

void TfrmAllegaCartella::fillFromCaller() {
    for (int i = 0; i < slotCount; ++i) {
        const QString n = number(i);
        if (QLabel* file = callerLabel(QStringLiteral("lblFile") + n))
            m_slots[i].name->setText(trimText(file->text()));
        if (QLabel* desc = callerLabel(QStringLiteral("lblDesc") + n))
            m_slots[i].description->setText(trimText(desc->text()));
    }
}

void TfrmAllegaCartella::browse(int index) {
    const auto chosen = m_services.fileDialog().openFile(this, browseTitle, browseFilter);
    if (!chosen)
        return;
    const QString name = trimText(QFileInfo(*chosen).fileName());
    const QString target = storedPath(m_services, name);
    // A slot only ever names a file that really is in the folder: when the copy fails the
    // slot keeps what it had, and the user hears why.
    if (target.isEmpty() || !files::makeFolder(folder(m_services))) {
        m_services.messages().warning(this, copyFailed);
        return;
    }
    if (files::fileExists(target)) {
        if (sameFile(*chosen, target)) {
            m_slots[index].name->setText(name);
            return;
        }
        if (m_services.messages().ask(this, overwriteQuestion) == Answer::No) {
            m_slots[index].name->setText(name);
            return;
        }
    }
    if (!files::copyFile(*chosen, target)) {
        m_services.messages().warning(this, copyFailed);
        return;
    }
    m_slots[index].name->setText(name);
}

void TfrmAllegaCartella::openFile(int index) {
    const QString path = storedPath(m_services, m_slots[index].name->text());
    if (path.isEmpty())
        return;
    m_services.shell().open(u'"' + path + u'"');
}

void TfrmAllegaCartella::apply() {
    const QString tag = trimText(m_memory->text());
    if (!callerTags.contains(tag))
        return;
    for (int i = 0; i < slotCount; ++i) {
        const QString n = number(i);
        if (QLabel* file = callerLabel(QStringLiteral("lblFile") + n))
            file->setText(trimText(m_slots[i].name->text()));
        if (QLabel* desc = callerLabel(QStringLiteral("lblDesc") + n))
            desc->setText(trimText(m_slots[i].description->text()));
    }
    accept();
}

QString attachmentCaption(int index, bool description) {
    return (description ? QStringLiteral("Descrizione ") : QStringLiteral("Nome ")) +
           ordinal(index) + QStringLiteral(" file allegato");
}

void openAttachments(Services& services, QWidget* editor, const QString& tag) {
    TfrmAllegaCartella window(services, editor);
    window.findChild<QLabel*>(QStringLiteral("lblMemory"))->setText(tag);
    window.exec();
}

} // namespace tarvola
