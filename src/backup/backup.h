#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Backups of a practice: one zip file per backup, holding every data file of the program
// folder and a manifest that says what the zip is and what each file must read back as.
// The zip format and its AES encryption stay inside backup.cpp.
namespace tarvola::backup {

// An archive of fixed-size records in the program folder. The copy of one holds whole
// records only, so a card another station is appending is in it whole or not at all.
struct Archive {
    QString pattern; // a file name or a wildcard such as "*.med", matched in any case
    int recordSize = 0;
};

struct FileEntry {
    QString name; // relative to the program folder, "/" between folders
    qint64 size = 0;
    QByteArray sha256; // lower-case hexadecimal
};

struct ArchiveCount {
    QString name;
    qint64 records = 0;
    int recordSize = 0;
};

// The manifest entry of a backup.
struct Manifest {
    QString program;
    QString version;
    QDateTime created;
    QList<ArchiveCount> archives;
    QStringList folders; // every folder, empty ones included, parents first
    QList<FileEntry> files;

    QByteArray toJson() const;
    // Nothing when the text is not a manifest of this program.
    static std::optional<Manifest> fromJson(const QByteArray& json);
    qint64 totalSize() const;
};

// The name of the manifest inside the zip.
inline constexpr const char* manifestName = "Tarvola_manifesto.json";

// A backup found in a backup folder.
struct Copy {
    QString path;
    QDateTime created;
    qint64 size = 0;
    bool encrypted = false;
    bool readable = true; // false when the zip cannot even be opened
};

// "Tarvola_copia_2026-03-14_093000.zip" for a backup made at that moment.
QString fileNameFor(const QDateTime& when);
// The moment in a backup's file name; nothing for a file the program did not name.
std::optional<QDateTime> createdFromName(const QString& fileName);

// The backups of the folder that the program made, newest first.
QList<Copy> list(const QString& folder);

// Whether a file or folder of the program folder (relative path) is practice data that
// a backup holds: the archives, both settings files, the password store, the logo, the
// consent form, the spreadsheet exports, the attachments and the clinical folders.
bool isDataPath(const QString& relative);

// The size of the data a backup of the program folder would hold.
qint64 dataSize(const QString& programFolder);

// Why the folder cannot hold backups of the program folder (empty, or inside it, so it
// would copy itself); empty when it can.
QString folderProblem(const QString& programFolder, const QString& backupFolder);

// Done fraction from 0 to 1; called on the thread that runs the backup or the restore.
using Progress = std::function<void(double)>;

struct Outcome {
    bool ok = false;
    QString error; // what failed, for the user
    QString path;  // the backup written or read
    Manifest manifest;
    QStringList removed; // older backups deleted to keep the number of copies
};

struct Options {
    QString programFolder;
    QString backupFolder;
    QString password; // empty: not encrypted
    QList<Archive> archives;
    QDateTime when;
    int keep = 10; // the number of the program's backups left in the folder; 0 keeps all
    Progress progress;
};

// Writes a backup under a temporary name, reads it back against its manifest, and only then
// gives it its name and removes the oldest backups beyond the number to keep. On any
// failure no file of it is left, and the folder's other backups are untouched.
Outcome create(const Options& options);

// Reads the whole backup and checks every entry against the manifest: refuses a zip that is
// not one of ours, damaged or cut short, with a wrong or missing password, or with an entry
// whose path would leave the program folder.
Outcome inspect(const QString& zipPath, const QString& password, const Progress& progress = {});

// Checks the backup as inspect does while extracting it beside the program folder's files,
// then puts each file in its place with a rename. A refused backup changes nothing.
Outcome restore(const QString& zipPath, const QString& password, const QString& programFolder,
                const Progress& progress = {});

} // namespace tarvola::backup
