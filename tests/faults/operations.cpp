#include "operations.h"

#include <QProcess>

#include "app/password.h"
#include "app/tfrmcambiapassword.h"
#include "archive/logo.h"
#include "archive/settings.h"
#include "platform/files.h"
#include "platform/inifile.h"
#include "ricette/ricettarecord.h"
#include "ricette/tfrmexpricette.h"
#include "ricette/tfrmricette.h"
#include "ricette/tfrmtrovaricette.h"
#include "support/fakes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include <functional>

namespace tarvola::testing {

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<illeggibile>");
}

template <typename W> W* control(QWidget* window, const char* name) {
    W* found = window->findChild<W*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// The red prescription editor as a user saves a new card: shown (which puts today's date
// in the date boxes), the patient and the first drug typed, Salva. Saved means the editor
// said so, and said nothing else.
Outcome save(const QString& folder) {
    FakeServices fakes(folder);
    TfrmRicette window(fakes.services);
    window.show();
    control<QLineEdit>(&window, "txtAssistito")->setText(QStringLiteral("NUOVA SCHEDA"));
    control<QLineEdit>(&window, "txtPresc01")->setText(QStringLiteral("AMOXICILLINA 1 G 12 CPR"));
    control<QAbstractButton>(&window, "cmdSalva")->click();
    const QStringList shown = fakes.messages.texts();
    return {shown !=
                QStringList{QStringLiteral("La scheda corrente è stata inserita in archivio.")},
            shown};
}

Outcome search(const QString& folder) {
    FakeServices fakes(folder);
    TfrmTrovaRicette window(fakes.services);
    window.setTag(QStringLiteral("ricette"));
    window.show();
    control<QAbstractButton>(&window, "btnCerca")->click();
    return {!control<QWidget>(&window, "panContainer")->isVisible(), fakes.messages.texts()};
}

Outcome exportSheet(const QString& folder) {
    FakeServices fakes(folder);
    TfrmExpRicette window(fakes.services);
    window.show();
    fakes.messages.answers = {Answer::Yes, Answer::No};
    control<QAbstractButton>(&window, "cmdEsporta")->click();
    const QStringList shown = fakes.messages.texts();
    // Exported: the confirmation, then the question whether to open the file.
    const bool exported =
        shown.size() == 2 && shown[1].startsWith(QStringLiteral("Le schede in archivio"));
    return {!exported, shown};
}

Outcome writeSetting(const QString& folder) {
    return {!settings::write(folder, settings::medicoPrescrivente[0],
                             QStringLiteral("DOTT. NUOVO MEDICO")),
            {}};
}

Outcome changePassword(const QString& folder) {
    FakeServices fakes(folder);
    TfrmCambiaPassword window(fakes.services);
    window.show();
    control<QLineEdit>(&window, "txtPasswordOld")->setText(seededPassword);
    control<QLineEdit>(&window, "txtPasswordNew")->setText(newPassword);
    control<QLineEdit>(&window, "txtConferma")->setText(newPassword);
    control<QAbstractButton>(&window, "cmdOK")->click();
    const QStringList shown = fakes.messages.texts();
    return {shown !=
                QStringList{QStringLiteral("Modifica della password completata con successo.")},
            shown};
}

Outcome saveLogo(const QString& folder) {
    return {!logo::save(folder, logo::defaultLogo()), {}};
}

Outcome attach(const QString& folder) {
    return {!files::copyFile(files::join(folder, QStringLiteral("nuovo_referto.pdf")),
                             files::join(folder, QStringLiteral("Documenti_Allegati/referto.pdf"))),
            {}};
}

const QList<std::pair<QString, std::function<Outcome(const QString&)>>>& operations() {
    static const QList<std::pair<QString, std::function<Outcome(const QString&)>>> table = {
        {QStringLiteral("salva"), save},
        {QStringLiteral("cerca"), search},
        {QStringLiteral("esporta"), exportSheet},
        {QStringLiteral("impostazioni"), writeSetting},
        {QStringLiteral("password"), changePassword},
        {QStringLiteral("logo"), saveLogo},
        {QStringLiteral("allegato"), attach}};
    return table;
}

} // namespace

QByteArray seededCard(int number) {
    Record card(ricetta::layout());
    card.setValue(QStringLiteral("Assistito"), QStringLiteral("PAZIENTE %1").arg(number));
    card.setValue(QStringLiteral("Presc01"), QStringLiteral("FARMACO %1").arg(number));
    card.setValue(QStringLiteral("Completata"), QStringLiteral("No"));
    return card.toBytes();
}

void seedProgramFolder(const QString& folder, int cards) {
    if (!QDir().mkpath(folder))
        qFatal("cannot create %s", qPrintable(folder));
    if (cards > 0) {
        QByteArray archive;
        for (int n = 1; n <= cards; ++n)
            archive += seededCard(n);
        put(files::join(folder, QString::fromLatin1(ricetta::archiveName)), archive);
    }
    put(files::join(folder, QStringLiteral("Archivio_Ricette.xls")),
        QByteArray("<html>esportazione precedente</html>").repeated(40));
    put(files::join(folder, QString::fromLatin1(settings::velmoraFile)),
        "[Intestazione Studio]\r\nDenominazione=STUDIO MEDICO ASSOCIATO\r\nLuogo=Milano\r\n"
        "[Ricetta Rossa]\r\nMedico Prescrivente Rigo 1=DOTT. MARIO BIANCHI\r\n"
        "Medico Prescrivente Rigo 2=VIA ROMA 12\r\n");
    put(files::join(folder, QString::fromLatin1(password::storeFile)),
        "[Accesso]\r\nValore=" + password::encode(seededPassword).toLatin1() + "\r\n");
    put(files::join(folder, QString::fromLatin1(logo::fileName)),
        QByteArray("BM logo precedente dello studio").repeated(20));
    if (!QDir().mkpath(files::join(folder, QStringLiteral("Documenti_Allegati"))))
        qFatal("cannot create the attachments folder");
    put(files::join(folder, QStringLiteral("Documenti_Allegati/referto.pdf")),
        QByteArray("%PDF-1.4 referto precedente\n").repeated(30));
    put(files::join(folder, QStringLiteral("nuovo_referto.pdf")),
        QByteArray("%PDF-1.4 referto nuovo, da allegare\n").repeated(30));
}

Snapshot snapshot(const QString& root) {
    Snapshot shot;
    const QFileInfo top(root);
    if (top.isFile()) {
        shot.insert(QString(), contents(root));
        return shot;
    }
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        shot.insert(relative, it.fileInfo().isDir() ? QByteArray("<cartella>") : contents(path));
    }
    return shot;
}

QStringList operationNames() {
    QStringList names;
    for (const auto& [name, run] : operations())
        names << name;
    return names;
}

Outcome runOperation(const QString& name, const QString& folder) {
    for (const auto& [known, run] : operations()) {
        if (known == name)
            return run(folder);
    }
    qFatal("no operation %s", qPrintable(name));
}

std::optional<Outcome> runInStation(const QString& station, const QStringList& arguments,
                                    QString& skip) {
    QProcess process;
    process.start(station, arguments);
    if (!process.waitForFinished(60000))
        return std::nullopt;
    const QByteArray report = process.readAllStandardOutput();
    if (process.exitCode() == 77) {
        skip = report.trimmed().isEmpty()
                   ? QStringLiteral("the station cannot set this case up here")
                   : QString::fromUtf8(report);
        return std::nullopt;
    }
    if (process.exitCode() != 0)
        return std::nullopt;
    Outcome outcome;
    for (const QByteArray& line : report.split('\n')) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.value(0) == "message")
            outcome.messages << QString::fromUtf8(QByteArray::fromPercentEncoding(parts[1]));
        else if (parts.value(0) == "failed")
            outcome.failed = parts.value(1) == "1";
    }
    return outcome;
}

} // namespace tarvola::testing
