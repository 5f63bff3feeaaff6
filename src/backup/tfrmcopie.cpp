#include "backup/tfrmcopie.h"

#include "platform/services.h"
#include "platform/ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

#include <atomic>

namespace tarvola {

namespace {

// Folders smaller than this are backed up in a moment: no bar flashes up for them.
constexpr qint64 progressThreshold = 4 * 1024 * 1024;
const QString dateTimeFormat = QStringLiteral("dd/MM/yyyy HH:mm:ss");
const QString storedFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QString nothingChanged = QStringLiteral("Nessun file del programma è stato modificato.");

QString sizeText(qint64 bytes) {
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    if (bytes < 1024 * 1024)
        return italian.toString(double(bytes) / 1024.0, 'f', 1) + QStringLiteral(" KB");
    return italian.toString(double(bytes) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
}

QString lineOf(const backup::Copy& copy) {
    QString state =
        copy.encrypted ? QStringLiteral("con password") : QStringLiteral("senza password");
    if (!copy.readable)
        state = QStringLiteral("illeggibile");
    return QStringLiteral("%1    %2    %3")
        .arg(copy.created.toString(dateTimeFormat), sizeText(copy.size).rightJustified(10), state);
}

QString archiveLines(const backup::Manifest& manifest) {
    QStringList lines;
    for (const backup::ArchiveCount& archive : manifest.archives)
        lines << QStringLiteral("  %1: %2 schede").arg(archive.name).arg(archive.records);
    if (lines.isEmpty())
        lines << QStringLiteral("  nessun archivio");
    return lines.join(QLatin1Char('\n'));
}

} // namespace

std::optional<QDateTime> backup::lastBackup(const QString& programFolder) {
    const QDateTime last =
        QDateTime::fromString(settings::read(programFolder, settings::ultimaCopia), storedFormat);
    if (!last.isValid())
        return std::nullopt;
    return last;
}

TfrmCopie::TfrmCopie(Services& services, QList<backup::Archive> archives, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_archives(std::move(archives)) {
    setObjectName(QStringLiteral("TfrmCopie"));
    setWindowTitle(QStringLiteral(" Tarvola 3.0 - Copie di sicurezza"));
    makeFixedDialog(this);

    m_folder = named(new QLineEdit(this), QStringLiteral("txtCartella"));
    m_folder->setMinimumWidth(380);
    auto* browse = named(new QToolButton(this), QStringLiteral("btnCartella"));
    browse->setIcon(QIcon(QStringLiteral(":/images/cartella.svg")));
    browse->setIconSize(QSize(22, 22));
    browse->setAutoRaise(true);
    setHint(browse, QStringLiteral("Scegli la cartella delle copie di sicurezza"));
    m_password = named(new QLineEdit(this), QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_confirm = named(new QLineEdit(this), QStringLiteral("txtConferma"));
    m_confirm->setEchoMode(QLineEdit::Password);
    m_last = named(new QLabel(this), QStringLiteral("lblUltima"));
    m_list = named(new QListWidget(this), QStringLiteral("lstCopie"));
    m_list->setMinimumHeight(170);
    m_list->setFont(QFont(QStringLiteral("Courier New"), 9));
    m_progress = named(new QProgressBar(this), QStringLiteral("prgCopia"));
    m_progress->setRange(0, 100);
    m_progress->setVisible(false);
    // The bar keeps its room while hidden, so the window does not change size.
    QSizePolicy keep = m_progress->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keep);
    auto* copy = named(new QPushButton(QIcon(QStringLiteral(":/images/salva.svg")),
                                       QStringLiteral("Crea copia"), this),
                       QStringLiteral("btnCopia"));
    auto* restore = named(new QPushButton(QIcon(QStringLiteral(":/images/importa.svg")),
                                          QStringLiteral("Ripristina"), this),
                          QStringLiteral("btnRipristina"));
    auto* close =
        named(new QPushButton(QStringLiteral("Chiudi"), this), QStringLiteral("btnChiudi"));
    for (QPushButton* b : {copy, restore, close})
        b->setAutoDefault(false);

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Cartella delle copie:"), this), 0, 0);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder);
    folderRow->addWidget(browse);
    form->addLayout(folderRow, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Password (facoltativa):"), this), 1, 0);
    form->addWidget(m_password, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Ripeti la password:"), this), 2, 0);
    form->addWidget(m_confirm, 2, 1);
    auto* note = new QLabel(QStringLiteral("Con una password la copia è cifrata (AES-256); la "
                                           "password non viene memorizzata: annotarla."),
                            this);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #555555;"));
    form->addWidget(note, 3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(restore);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(m_last);
    layout->addWidget(new QLabel(QStringLiteral("Copie presenti nella cartella (la più recente "
                                                "in alto):"),
                                 this));
    layout->addWidget(m_list);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_controls = {m_folder, browse, m_password, m_confirm, m_list, copy, restore, close};

    m_folder->setText(settings::read(m_services.programFolder(), settings::cartellaCopie));
    refresh();

    connect(browse, &QToolButton::clicked, this, &TfrmCopie::chooseFolder);
    connect(m_folder, &QLineEdit::editingFinished, this, &TfrmCopie::refresh);
    connect(copy, &QPushButton::clicked, this, &TfrmCopie::makeBackup);
    connect(restore, &QPushButton::clicked, this, &TfrmCopie::restoreSelected);
    connect(close, &QPushButton::clicked, this, &TfrmCopie::reject);
}

void TfrmCopie::reject() {
    // A backup or a restore under way is never left half done.
    if (!m_busy)
        QDialog::reject();
}

QString TfrmCopie::folder() const {
    return m_folder->text().trimmed();
}

void TfrmCopie::chooseFolder() {
    const auto chosen = m_services.fileDialog().chooseFolder(
        this, QStringLiteral("Scegliere la cartella delle copie di sicurezza"), folder());
    if (!chosen)
        return;
    m_folder->setText(QDir::toNativeSeparators(*chosen));
    rememberFolder();
    refresh();
}

bool TfrmCopie::rememberFolder() {
    if (settings::read(m_services.programFolder(), settings::cartellaCopie) == folder())
        return true;
    if (settings::write(m_services.programFolder(), settings::cartellaCopie, folder()))
        return true;
    m_services.messages().warning(this, settings::writeFailedMessage(settings::cartellaCopie));
    return false;
}

void TfrmCopie::refresh() {
    const std::optional<QDateTime> last = backup::lastBackup(m_services.programFolder());
    m_last->setText(last ? QStringLiteral("Ultima copia di sicurezza: ") +
                               last->toString(dateTimeFormat)
                         : QStringLiteral("Ultima copia di sicurezza: nessuna"));
    m_list->clear();
    if (folder().isEmpty() || !QFileInfo(folder()).isDir())
        return;
    for (const backup::Copy& copy : backup::list(folder())) {
        auto* item = new QListWidgetItem(lineOf(copy), m_list);
        item->setData(Qt::UserRole, copy.path);
        item->setData(Qt::UserRole + 1, copy.encrypted);
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

backup::Options TfrmCopie::options() const {
    backup::Options options;
    options.programFolder = m_services.programFolder();
    options.backupFolder = folder();
    options.password = m_password->text();
    options.archives = m_archives;
    options.when = QDateTime(m_services.clock().today(), m_services.clock().now());
    const int keep = settings::read(m_services.programFolder(), settings::numeroCopie).toInt();
    options.keep = keep > 0 ? keep : 10;
    return options;
}

backup::Outcome
TfrmCopie::runBusy(const std::function<backup::Outcome(const backup::Progress&)>& work,
                   bool showProgress) {
    m_busy = true;
    for (QWidget* w : std::as_const(m_controls))
        w->setEnabled(false);
    m_progress->setValue(0);
    m_progress->setVisible(showProgress);
    QPointer<QProgressBar> bar = m_progress;
    std::atomic<int> shown{0};
    // Only whole percent steps reach the window, so the queue never floods.
    const backup::Progress progress = [bar, &shown](double done) {
        const int percent = int(done * 100);
        if (percent <= shown.exchange(percent))
            return;
        QMetaObject::invokeMethod(
            bar,
            [bar, percent] {
                if (bar)
                    bar->setValue(percent);
            },
            Qt::QueuedConnection);
    };
    backup::Outcome outcome;
    QEventLoop loop;
    QThread* thread = QThread::create([&] { outcome = work(progress); });
    connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
    QCoreApplication::sendPostedEvents(m_progress); // the last steps, before the bar goes
    m_progress->setVisible(false);
    for (QWidget* w : std::as_const(m_controls))
        w->setEnabled(true);
    m_busy = false;
    return outcome;
}

void TfrmCopie::makeBackup() {
    const backup::Options o = options();
    const QString problem = backup::folderProblem(o.programFolder, o.backupFolder);
    if (!problem.isEmpty()) {
        m_services.messages().warning(this, problem);
        return;
    }
    if (m_password->text() != m_confirm->text()) {
        m_services.messages().warning(
            this, QStringLiteral("Le due password non coincidono: scriverle di nuovo."));
        return;
    }
    rememberFolder();
    const bool large = backup::dataSize(o.programFolder) > progressThreshold;
    const backup::Outcome outcome = runBusy(
        [o](const backup::Progress& progress) {
            backup::Options withProgress = o;
            withProgress.progress = progress;
            return backup::create(withProgress);
        },
        large);
    if (!outcome.ok) {
        refresh();
        m_services.messages().error(this, outcome.error);
        return;
    }
    const bool noted = settings::write(m_services.programFolder(), settings::ultimaCopia,
                                       o.when.toString(storedFormat));
    refresh();
    QString text =
        QStringLiteral("La copia di sicurezza è stata creata e verificata:\n%1\n\n%2 file, %3%4.")
            .arg(QDir::toNativeSeparators(outcome.path))
            .arg(outcome.manifest.files.size())
            .arg(sizeText(QFileInfo(outcome.path).size()),
                 o.password.isEmpty() ? QString() : QStringLiteral(", protetta da password"));
    if (!outcome.removed.isEmpty())
        text += QStringLiteral("\n\nCopie più vecchie eliminate per tenerne %1: %2.")
                    .arg(o.keep)
                    .arg(outcome.removed.size());
    m_services.messages().information(this, text);
    if (!noted)
        m_services.messages().warning(this, settings::writeFailedMessage(settings::ultimaCopia));
}

void TfrmCopie::restoreSelected() {
    QListWidgetItem* item = m_list->currentItem();
    if (!item) {
        m_services.messages().warning(
            this, QStringLiteral("Selezionare nella lista la copia di sicurezza da ripristinare."));
        return;
    }
    const QString path = item->data(Qt::UserRole).toString();
    const QString password = m_password->text();
    if (item->data(Qt::UserRole + 1).toBool() && password.isEmpty()) {
        m_services.messages().warning(
            this, QStringLiteral("La copia di sicurezza è protetta da password: scrivere la "
                                 "password nella casella \"Password\" e riprovare."));
        return;
    }
    const backup::Outcome checked = runBusy(
        [path, password](const backup::Progress& progress) {
            return backup::inspect(path, password, progress);
        },
        QFileInfo(path).size() > progressThreshold / 4);
    if (!checked.ok) {
        m_services.messages().error(this, checked.error + QStringLiteral("\n\n") + nothingChanged);
        return;
    }
    const QString question =
        QStringLiteral("Ripristinare la copia di sicurezza del %1?\n\nArchivi della copia:\n%2\n\n"
                       "Prima del ripristino verrà creata una copia di sicurezza dello stato "
                       "attuale; poi i file dei dati saranno sostituiti da quelli della copia.")
            .arg(checked.manifest.created.toString(dateTimeFormat), archiveLines(checked.manifest));
    if (m_services.messages().ask(this, question) != Answer::Yes)
        return;

    backup::Options safety = options();
    safety.keep = 0; // the copy being restored must not be the one that makes room
    QString safetyPath;
    QString failure;
    const QString programFolder = m_services.programFolder();
    const backup::Outcome restored = runBusy(
        [&](const backup::Progress& progress) {
            backup::Options o = safety;
            o.progress = [&progress](double done) { progress(done / 2); };
            const backup::Outcome before = backup::create(o);
            if (!before.ok) {
                failure = before.error;
                return before;
            }
            safetyPath = before.path;
            return backup::restore(path, password, programFolder,
                                   [&progress](double done) { progress(0.5 + done / 2); });
        },
        checked.manifest.totalSize() > progressThreshold);
    refresh();
    if (!failure.isEmpty()) {
        m_services.messages().error(
            this, QStringLiteral("Il ripristino non è stato eseguito perché non è stato possibile "
                                 "salvare prima lo stato attuale.\n\n") +
                      failure + QStringLiteral("\n\n") + nothingChanged);
        return;
    }
    if (!restored.ok) {
        m_services.messages().error(this, restored.error);
        return;
    }
    m_services.messages().information(
        this, QStringLiteral("Ripristino completato: %1 file ripristinati dalla copia del %2.\n\n"
                             "Lo stato precedente è stato salvato nella copia\n%3\n\nChiudere e "
                             "riaprire gli archivi aperti per vederne i dati ripristinati.")
                  .arg(restored.manifest.files.size())
                  .arg(restored.manifest.created.toString(dateTimeFormat),
                       QDir::toNativeSeparators(safetyPath)));
}

} // namespace tarvola
