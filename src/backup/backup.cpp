#include "backup/backup.h"

#include "platform/descriptor.h"
#include "platform/files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvola::backup {

namespace {

const QString programName = QStringLiteral("Tarvola");
const QString programVersion = QStringLiteral("3.0");
const QString namePrefix = QStringLiteral("Tarvola_copia_");
const QString nameFormat = QStringLiteral("yyyy-MM-dd_HHmmss");
constexpr qint64 chunkSize = 256 * 1024;
constexpr qint64 largestManifest = 64 * 1024 * 1024;

// --- What the user reads ----------------------------------------------------------------

const QString unchanged = QStringLiteral("Le copie di sicurezza già presenti nella cartella non "
                                         "sono state modificate.");

QString systemReason(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("lo spazio sul disco è esaurito");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("la cartella non permette di scrivere");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("la cartella non è raggiungibile");
    case EIO:
        return QStringLiteral("il disco ha dato un errore di lettura o scrittura");
    default:
        return QStringLiteral("errore di sistema %1").arg(error);
    }
}

QString zipReason(zip_error_t* error) {
    const int system = zip_error_code_system(error);
    if (zip_error_system_type(error) == ZIP_ET_SYS && system != 0)
        return systemReason(system);
    switch (zip_error_code_zip(error)) {
    case ZIP_ER_MEMORY:
        return QStringLiteral("la memoria non è sufficiente");
    case ZIP_ER_ENCRNOTSUPP:
        return QStringLiteral("la cifratura AES-256 non è disponibile su questo computer");
    default:
        return QStringLiteral("errore %1 della libreria zip").arg(zip_error_code_zip(error));
    }
}

// What zip_open's error code says.
QString zipCodeReason(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString reason = zipReason(&error);
    zip_error_fini(&error);
    return reason;
}

QString writeFailed(const QString& folder, const QString& reason) {
    return QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza nella "
                          "cartella\n%1\n\nMotivo: %2.\n\nNessun file incompleto è stato lasciato "
                          "nella cartella. ")
               .arg(QDir::toNativeSeparators(folder), reason) +
           unchanged;
}

QString readFailed(const QString& what) {
    return QStringLiteral("Attenzione: non è stato possibile leggere il file %1 della cartella "
                          "del programma; la copia di sicurezza non è stata creata. ")
               .arg(what) +
           unchanged;
}

QString checkFailed(const QString& what) {
    return QStringLiteral("Attenzione: la verifica della copia di sicurezza appena scritta non è "
                          "riuscita (%1). La copia è stata eliminata. ")
               .arg(what) +
           unchanged;
}

const QString notOurs =
    QStringLiteral("Il file scelto non è una copia di sicurezza di Tarvola 3.0.");
const QString damaged = QStringLiteral(
    "La copia di sicurezza è danneggiata o incompleta (il file potrebbe essere stato troncato "
    "durante la copia) e non può essere utilizzata.");
const QString needsPassword = QStringLiteral(
    "La copia di sicurezza è protetta da password: scrivere la password nella casella "
    "\"Password\" e riprovare.");
const QString wrongPassword =
    QStringLiteral("La password non è corretta per questa copia di sicurezza.");

QString restoreWriteFailed() {
    return QStringLiteral("Attenzione: non è stato possibile scrivere i file ripristinati nella "
                          "cartella del programma (%1).")
        .arg(systemReason(errno));
}

QString unsafeEntry(const QString& name) {
    return QStringLiteral("La copia di sicurezza contiene un elemento che verrebbe scritto fuori "
                          "dalla cartella del programma (%1) e non può essere utilizzata.")
        .arg(name);
}

QString mismatch(const QString& name) {
    return QStringLiteral("Il contenuto della copia di sicurezza non corrisponde al suo elenco di "
                          "controllo (%1): la copia non può essere utilizzata.")
        .arg(name);
}

// --- Which files are practice data ------------------------------------------------------

bool matchesAny(const QString& name, const QStringList& patterns) {
    for (const QString& pattern : patterns) {
        const QRegularExpression rx(QRegularExpression::wildcardToRegularExpression(pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        if (rx.match(name).hasMatch())
            return true;
    }
    return false;
}

const QStringList& dataFilePatterns() {
    static const QStringList patterns = {QStringLiteral("*.pro"),
                                         QStringLiteral("*.med"),
                                         QStringLiteral("Velmora.ini"),
                                         QStringLiteral("Impostazioni.ini"),
                                         QStringLiteral("unins000.dll"),
                                         QStringLiteral("Logo.bmp"),
                                         QStringLiteral("Modulo_Privacy.rtf"),
                                         QStringLiteral("*.xls")};
    return patterns;
}

const QStringList& dataFolderPatterns() {
    static const QStringList patterns = {QStringLiteral("Documenti_Allegati"),
                                         QStringLiteral("Paziente_*")};
    return patterns;
}

struct Source {
    QString name; // relative
    QString path;
    qint64 length = 0;
    QDateTime modified;
    int recordSize = 0; // 0: not an archive
};

int recordSizeOf(const QString& name, const QList<Archive>& archives) {
    for (const Archive& archive : archives) {
        if (archive.recordSize > 0 && matchesAny(name, {archive.pattern}))
            return archive.recordSize;
    }
    return 0;
}

// The length of the archive that is whole records, read while no station of ours is in
// the middle of an append: appends take the same lock exclusively and only ever add bytes
// after this length. The records below it are read under the lock too (readRecords), as a
// save in place may rewrite one of them meanwhile.
std::optional<qint64> wholeRecordLength(const QString& path, int recordSize) {
    const int fd = descriptor::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    bool ok;
    {
        const descriptor::Lock lock(fd, descriptor::Lock::Kind::Shared);
        ok = ::fstat(fd, &info) == 0;
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return qint64(info.st_size) - qint64(info.st_size) % recordSize;
}

// Every data file and folder of the program folder; links are never followed.
bool collect(const QString& programFolder, const QList<Archive>& archives, QList<Source>& files,
             QStringList& folders, QString& failed) {
    const QDir top(programFolder);
    const QFileInfoList entries = top.entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden |
                                                        QDir::NoDotAndDotDot | QDir::NoSymLinks,
                                                    QDir::Name);
    auto addFile = [&](const QFileInfo& info, const QString& name) {
        Source source{name, info.absoluteFilePath(), info.size(), info.lastModified(),
                      recordSizeOf(name, archives)};
        if (source.recordSize > 0 && !name.contains(QLatin1Char('/'))) {
            const std::optional<qint64> whole = wholeRecordLength(source.path, source.recordSize);
            if (!whole) {
                failed = name;
                return false;
            }
            source.length = *whole;
        } else {
            source.recordSize = 0;
        }
        files << source;
        return true;
    };
    for (const QFileInfo& info : entries) {
        const QString name = info.fileName();
        const bool wanted = info.isFile() ? matchesAny(name, dataFilePatterns())
                                          : matchesAny(name, dataFolderPatterns());
        if (!wanted)
            continue;
        if (info.isFile()) {
            if (!addFile(info, name))
                return false;
            continue;
        }
        folders << name;
        QDirIterator it(info.absoluteFilePath(),
                        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot |
                            QDir::NoSymLinks,
                        QDirIterator::Subdirectories);
        QList<QFileInfo> inside;
        while (it.hasNext()) {
            it.next();
            inside << it.fileInfo();
        }
        std::sort(inside.begin(), inside.end(), [](const QFileInfo& a, const QFileInfo& b) {
            return a.absoluteFilePath() < b.absoluteFilePath();
        });
        for (const QFileInfo& child : inside) {
            const QString relative = top.relativeFilePath(child.absoluteFilePath());
            if (child.isDir())
                folders << relative;
            else if (!addFile(child, relative))
                return false;
        }
    }
    return true;
}

// --- The zip ----------------------------------------------------------------------------

struct ZipCloser {
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipFileHandle = std::unique_ptr<zip_file_t, FileCloser>;

// What the sources of one backup share: the digests they computed while libzip read them,
// and the progress over all of them.
struct WriteState {
    QList<QByteArray> digests;
    qint64 total = 0;
    qint64 done = 0;
    Progress progress;
    int failedError = 0;
    QString failedName;
};

// A zip source that reads the first `length` bytes of a file and hashes them as it goes,
// so the manifest describes exactly the bytes that went into the zip.
struct RangeSource {
    WriteState* state;
    qsizetype index;
    Source file;
    int fd = -1;
    qint64 offset = 0;
    QCryptographicHash hash{QCryptographicHash::Sha256};
    zip_error_t error{};

    zip_int64_t fail(int zipCode, int systemCode) {
        zip_error_set(&error, zipCode, systemCode);
        state->failedError = systemCode;
        state->failedName = file.name;
        return -1;
    }

    zip_int64_t run(void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
        switch (cmd) {
        case ZIP_SOURCE_OPEN: {
            fd = descriptor::open(file.path, O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                return fail(ZIP_ER_OPEN, errno);
            offset = 0;
            block.clear();
            blockStart = 0;
            hash.reset();
            return 0;
        }
        case ZIP_SOURCE_READ: {
            auto* out = static_cast<char*>(data);
            if (file.recordSize > 0)
                return readRecords(out, qint64(len));
            const qint64 wanted = std::min<qint64>(qint64(len), file.length - offset);
            if (const int error = readWhole(out, wanted, offset))
                return fail(ZIP_ER_READ, error);
            return advance(QByteArrayView(out, wanted));
        }
        case ZIP_SOURCE_CLOSE:
            if (fd >= 0)
                ::close(fd);
            fd = -1;
            if (offset == file.length)
                state->digests[index] = hash.result().toHex();
            return 0;
        case ZIP_SOURCE_STAT: {
            auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &error);
            if (!st)
                return -1;
            zip_stat_init(st);
            st->size = zip_uint64_t(file.length);
            st->mtime = time_t(file.modified.toSecsSinceEpoch());
            st->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&error, data, len);
        case ZIP_SOURCE_FREE:
            if (fd >= 0)
                ::close(fd);
            delete this;
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                  ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            zip_error_set(&error, ZIP_ER_OPNOTSUPP, 0);
            return -1;
        }
    }

    // An archive is read in blocks of whole records, each while holding the lock that
    // appends and saves in place take to write: so every card in the copy is one that a
    // station of ours wrote whole, the old one or the new one, never half of each.
    QByteArray block{};
    qint64 blockStart = 0;

    zip_int64_t readRecords(char* out, qint64 len) {
        if (offset >= blockStart + block.size()) {
            const qint64 records = std::max<qint64>(1, (qint64(1) << 20) / file.recordSize);
            const qint64 size = std::min(records * file.recordSize, file.length - offset);
            if (size <= 0)
                return 0;
            block.resize(size);
            blockStart = offset;
            int error;
            {
                const descriptor::Lock lock(fd, descriptor::Lock::Kind::Shared);
                error = readWhole(block.data(), size, offset);
            }
            if (error != 0) {
                block.clear();
                return fail(ZIP_ER_READ, error);
            }
        }
        const qint64 n = std::min(len, blockStart + block.size() - offset);
        const QByteArrayView piece(block.constData() + (offset - blockStart), n);
        std::copy(piece.begin(), piece.end(), out);
        return advance(piece);
    }

    // Reads size bytes at at; 0, or the error (EIO: the file became shorter while it was
    // copied).
    int readWhole(char* into, qint64 size, qint64 at) const {
        const qint64 got = descriptor::readAt(fd, into, size, at);
        return got == size ? 0 : (got < 0 ? errno : EIO);
    }

    // Counts the piece handed to libzip into the digest and the progress.
    zip_int64_t advance(QByteArrayView piece) {
        hash.addData(piece);
        offset += piece.size();
        state->done += piece.size();
        if (state->progress && state->total > 0)
            state->progress(double(state->done) / double(state->total));
        return piece.size();
    }

    static zip_int64_t callback(void* self, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
        return static_cast<RangeSource*>(self)->run(data, len, cmd);
    }
};

bool fsyncPath(const QString& path, bool folder) {
    const QByteArray native = QFile::encodeName(path);
    const int fd =
        ::open(native.constData(), (folder ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0 || folder; // some file systems refuse it on folders
    ::close(fd);
    return ok;
}

// Removes what a failed write may have left: our temporary file and libzip's own one.
void removeLeftovers(const QString& temporary) {
    const QFileInfo info(temporary);
    const QDir folder = info.dir();
    const QStringList left =
        folder.entryList({info.fileName() + QStringLiteral("*")}, QDir::Files | QDir::Hidden);
    for (const QString& name : left)
        QFile::remove(folder.filePath(name));
}

// Writes the zip; empty when it was written whole, else what failed.
QString writeZip(const QString& path, const Options& options, const QList<Source>& files,
                 const QStringList& folders, Manifest& manifest) {
    int code = 0;
    ZipHandle zip(zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!zip)
        return writeFailed(options.backupFolder, zipCodeReason(code));
    const QByteArray password = options.password.toUtf8();
    auto encrypt = [&](zip_int64_t index) {
        return password.isEmpty() ||
               zip_file_set_encryption(zip.get(), zip_uint64_t(index), ZIP_EM_AES_256,
                                       password.constData()) == 0;
    };
    auto zipFailure = [&] {
        return writeFailed(options.backupFolder, zipReason(zip_get_error(zip.get())));
    };

    for (const QString& folder : folders) {
        if (zip_dir_add(zip.get(), folder.toUtf8().constData(), ZIP_FL_ENC_UTF_8) < 0)
            return zipFailure();
    }
    WriteState state;
    state.progress = options.progress;
    state.digests.resize(files.size());
    for (const Source& file : files)
        state.total += file.length;
    for (qsizetype i = 0; i < files.size(); ++i) {
        auto* range = new RangeSource{&state, i, files[i]};
        zip_source_t* source = zip_source_function(zip.get(), RangeSource::callback, range);
        if (!source) {
            delete range;
            return zipFailure();
        }
        const zip_int64_t index =
            zip_file_add(zip.get(), files[i].name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return zipFailure();
        }
        zip_file_set_mtime(zip.get(), zip_uint64_t(index),
                           time_t(files[i].modified.toSecsSinceEpoch()), 0);
        if (!encrypt(index))
            return zipFailure();
    }

    // libzip reads the files only when the zip is closed, and the digests are known only
    // then: so the data is written and closed first, and the manifest is added in a second
    // step, which copies the compressed entries as they are. One read of every file, and
    // the manifest describes exactly the bytes the zip holds.
    if (zip_close(zip.get()) != 0) {
        const QString reason = state.failedName.isEmpty()
                                   ? zipReason(zip_get_error(zip.get()))
                                   : QStringLiteral("il file %1 non è leggibile (%2)")
                                         .arg(state.failedName, systemReason(state.failedError));
        return writeFailed(options.backupFolder, reason);
    }
    zip.release();

    manifest.program = programName;
    manifest.version = programVersion;
    manifest.created = options.when;
    manifest.folders = folders;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (state.digests[i].isEmpty())
            return writeFailed(
                options.backupFolder,
                QStringLiteral("il file %1 non è stato letto per intero").arg(files[i].name));
        manifest.files << FileEntry{files[i].name, files[i].length, state.digests[i]};
        if (files[i].recordSize > 0)
            manifest.archives << ArchiveCount{files[i].name, files[i].length / files[i].recordSize,
                                              files[i].recordSize};
    }

    zip.reset(zip_open(QFile::encodeName(path).constData(), 0, &code));
    if (!zip)
        return writeFailed(options.backupFolder, zipCodeReason(code));
    const QByteArray json = manifest.toJson();
    zip_source_t* source =
        zip_source_buffer(zip.get(), json.constData(), zip_uint64_t(json.size()), 0);
    if (!source)
        return zipFailure();
    const zip_int64_t index = zip_file_add(zip.get(), manifestName, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return zipFailure();
    }
    if (!encrypt(index))
        return zipFailure();
    if (zip_close(zip.get()) != 0)
        return zipFailure();
    zip.release();
    if (!fsyncPath(path, false))
        return writeFailed(options.backupFolder, systemReason(errno));
    return {};
}

// --- Reading a backup back --------------------------------------------------------------

bool safeEntryName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1Char(':')))
        return false;
    QStringList parts = name.split(QLatin1Char('/'));
    if (name.endsWith(QLatin1Char('/')))
        parts.removeLast();
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QStringLiteral(".") || part == QStringLiteral(".."))
            return false;
        for (const QChar c : part) {
            if (c.unicode() < 0x20)
                return false;
        }
    }
    return true;
}

bool isLink(zip_t* zip, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(zip, index, 0, &system, &attributes) != 0)
        return true;
    return system == ZIP_OPSYS_UNIX && S_ISLNK(attributes >> 16);
}

QString openFailure(zip_error_t* error) {
    switch (zip_error_code_zip(error)) {
    case ZIP_ER_WRONGPASSWD:
        return wrongPassword;
    case ZIP_ER_NOPASSWD:
        return needsPassword;
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
        return QStringLiteral("Attenzione: non è stato possibile leggere la copia di sicurezza "
                              "(%1).")
            .arg(zipReason(error));
    default:
        return damaged;
    }
}

// Reads one entry in pieces, handing each to the sink; the digest and size of what it read.
struct Read {
    QByteArray sha256;
    qint64 size = 0;
    QString error;
};

Read readEntry(zip_t* zip, zip_uint64_t index, const QByteArray& password,
               const std::function<bool(QByteArrayView)>& sink, qint64 limit = -1) {
    Read result;
    ZipFileHandle file(zip_fopen_index_encrypted(
        zip, index, 0, password.isEmpty() ? nullptr : password.constData()));
    if (!file) {
        result.error = openFailure(zip_get_error(zip));
        return result;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray buffer(chunkSize, Qt::Uninitialized);
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), buffer.data(), zip_uint64_t(buffer.size()));
        if (n < 0) {
            result.error = openFailure(zip_file_get_error(file.get()));
            return result;
        }
        if (n == 0)
            break;
        const QByteArrayView piece(buffer.constData(), n);
        hash.addData(piece);
        result.size += n;
        if (limit >= 0 && result.size > limit) {
            result.error = notOurs;
            return result;
        }
        if (sink && !sink(piece)) {
            result.error = restoreWriteFailed();
            return result;
        }
    }
    result.sha256 = hash.result().toHex();
    return result;
}

// Where restore puts each file while it is extracted; nothing for a check only.
using EntrySink = std::function<std::function<bool(QByteArrayView)>(const QString& name)>;
using EntryDone = std::function<bool(const QString& name)>;

Outcome readBackup(const QString& path, const QString& password, const Progress& progress,
                   const EntrySink& open = {}, const EntryDone& done = {}) {
    Outcome outcome;
    outcome.path = path;
    int code = 0;
    ZipHandle zip(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    if (!zip) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        outcome.error = code == ZIP_ER_NOZIP && !createdFromName(QFileInfo(path).fileName())
                            ? notOurs
                            : openFailure(&error);
        zip_error_fini(&error);
        return outcome;
    }
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    // Every name is looked at before anything is read or written.
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip_get_name(zip.get(), zip_uint64_t(i), 0);
        const QString name = raw ? QString::fromUtf8(raw) : QString();
        if (!safeEntryName(name) || isLink(zip.get(), zip_uint64_t(i))) {
            outcome.error = unsafeEntry(name);
            return outcome;
        }
    }
    const zip_int64_t manifestIndex = zip_name_locate(zip.get(), manifestName, 0);
    if (manifestIndex < 0) {
        outcome.error = notOurs;
        return outcome;
    }
    const QByteArray secret = password.toUtf8();
    QByteArray json;
    const Read manifestRead = readEntry(
        zip.get(), zip_uint64_t(manifestIndex), secret,
        [&json](QByteArrayView piece) {
            json += piece;
            return true;
        },
        largestManifest);
    if (!manifestRead.error.isEmpty()) {
        outcome.error = manifestRead.error;
        return outcome;
    }
    const std::optional<Manifest> manifest = Manifest::fromJson(json);
    if (!manifest) {
        outcome.error = notOurs;
        return outcome;
    }
    outcome.manifest = *manifest;

    QHash<QString, const FileEntry*> expected;
    for (const FileEntry& entry : manifest->files)
        expected.insert(entry.name, &entry);
    for (const FileEntry& entry : manifest->files) {
        if (!safeEntryName(entry.name) || !isDataPath(entry.name)) {
            outcome.error = unsafeEntry(entry.name);
            return outcome;
        }
    }
    for (const QString& folder : manifest->folders) {
        if (!safeEntryName(folder) || !isDataPath(folder)) {
            outcome.error = unsafeEntry(folder);
            return outcome;
        }
    }
    for (const ArchiveCount& archive : manifest->archives) {
        const FileEntry* entry = expected.value(archive.name);
        if (!entry || archive.recordSize <= 0 ||
            entry->size != archive.records * archive.recordSize) {
            outcome.error = mismatch(archive.name);
            return outcome;
        }
    }

    const qint64 total = manifest->totalSize();
    qint64 doneBytes = 0;
    QSet<QString> seen;
    for (zip_int64_t i = 0; i < count; ++i) {
        if (i == manifestIndex)
            continue;
        const QString name = QString::fromUtf8(zip_get_name(zip.get(), zip_uint64_t(i), 0));
        if (name.endsWith(QLatin1Char('/'))) {
            if (!manifest->folders.contains(name.chopped(1))) {
                outcome.error = mismatch(name);
                return outcome;
            }
            continue;
        }
        const FileEntry* entry = expected.value(name);
        if (!entry || seen.contains(name)) {
            outcome.error = mismatch(name);
            return outcome;
        }
        seen.insert(name);
        const Read read =
            readEntry(zip.get(), zip_uint64_t(i), secret, open ? open(name) : nullptr, entry->size);
        if (!read.error.isEmpty()) {
            outcome.error = read.error == notOurs ? mismatch(name) : read.error;
            return outcome;
        }
        if (read.size != entry->size || read.sha256 != entry->sha256) {
            outcome.error = mismatch(name);
            return outcome;
        }
        if (done && !done(name)) {
            outcome.error = restoreWriteFailed();
            return outcome;
        }
        doneBytes += read.size;
        if (progress && total > 0)
            progress(double(doneBytes) / double(total));
    }
    if (seen.size() != manifest->files.size()) {
        for (const FileEntry& entry : manifest->files) {
            if (!seen.contains(entry.name)) {
                outcome.error = mismatch(entry.name);
                return outcome;
            }
        }
    }
    outcome.ok = true;
    return outcome;
}

bool isEncrypted(const QString& path, bool& readable) {
    int code = 0;
    ZipHandle zip(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code));
    readable = bool(zip);
    if (!zip)
        return false;
    zip_stat_t st;
    zip_stat_init(&st);
    const zip_int64_t index = zip_name_locate(zip.get(), manifestName, 0);
    if (index < 0 || zip_stat_index(zip.get(), zip_uint64_t(index), 0, &st) != 0) {
        readable = false;
        return false;
    }
    return (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
}

QStringList backupNames(const QString& folder) {
    QStringList names;
    const QStringList found =
        QDir(folder).entryList({namePrefix + QStringLiteral("*.zip")}, QDir::Files, QDir::Name);
    for (const QString& name : found) {
        if (createdFromName(name))
            names << name;
    }
    std::sort(names.begin(), names.end(), std::greater<>());
    return names;
}

QString cleanAbsolute(const QString& path) {
    // The part that exists is resolved (links, "..") so two spellings of one folder agree.
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing) && existing != QStringLiteral("/")) {
        rest = QFileInfo(existing).fileName() + (rest.isEmpty() ? QString() : QStringLiteral("/")) +
               rest;
        existing = QFileInfo(existing).absolutePath();
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    const QString base = canonical.isEmpty() ? existing : canonical;
    return rest.isEmpty() ? base : QDir::cleanPath(base + QLatin1Char('/') + rest);
}

} // namespace

// --- Manifest ---------------------------------------------------------------------------

QByteArray Manifest::toJson() const {
    QJsonArray archiveList;
    for (const ArchiveCount& a : archives)
        archiveList.append(QJsonObject{{QStringLiteral("file"), a.name},
                                       {QStringLiteral("records"), a.records},
                                       {QStringLiteral("recordSize"), a.recordSize}});
    QJsonArray fileList;
    for (const FileEntry& f : files)
        fileList.append(QJsonObject{{QStringLiteral("name"), f.name},
                                    {QStringLiteral("size"), f.size},
                                    {QStringLiteral("sha256"), QString::fromLatin1(f.sha256)}});
    const QJsonObject root{{QStringLiteral("program"), program},
                           {QStringLiteral("version"), version},
                           {QStringLiteral("created"), created.toString(Qt::ISODate)},
                           {QStringLiteral("archives"), archiveList},
                           {QStringLiteral("folders"), QJsonArray::fromStringList(folders)},
                           {QStringLiteral("files"), fileList}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Manifest> Manifest::fromJson(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    Manifest m;
    m.program = root.value(QStringLiteral("program")).toString();
    m.version = root.value(QStringLiteral("version")).toString();
    m.created =
        QDateTime::fromString(root.value(QStringLiteral("created")).toString(), Qt::ISODate);
    if (m.program != programName || !m.created.isValid())
        return std::nullopt;
    for (const QJsonValue& v : root.value(QStringLiteral("archives")).toArray()) {
        const QJsonObject o = v.toObject();
        m.archives << ArchiveCount{o.value(QStringLiteral("file")).toString(),
                                   qint64(o.value(QStringLiteral("records")).toDouble()),
                                   o.value(QStringLiteral("recordSize")).toInt()};
    }
    for (const QJsonValue& v : root.value(QStringLiteral("folders")).toArray())
        m.folders << v.toString();
    for (const QJsonValue& v : root.value(QStringLiteral("files")).toArray()) {
        const QJsonObject o = v.toObject();
        m.files << FileEntry{o.value(QStringLiteral("name")).toString(),
                             qint64(o.value(QStringLiteral("size")).toDouble()),
                             o.value(QStringLiteral("sha256")).toString().toLatin1()};
    }
    return m;
}

qint64 Manifest::totalSize() const {
    qint64 total = 0;
    for (const FileEntry& f : files)
        total += f.size;
    return total;
}

// --- Names and folders ------------------------------------------------------------------

QString fileNameFor(const QDateTime& when) {
    return namePrefix + when.toString(nameFormat) + QStringLiteral(".zip");
}

std::optional<QDateTime> createdFromName(const QString& fileName) {
    static const QRegularExpression pattern(
        QStringLiteral("^Tarvola_copia_(\\d{4}-\\d{2}-\\d{2}_\\d{6})\\.zip$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime when = QDateTime::fromString(match.captured(1), nameFormat);
    if (!when.isValid())
        return std::nullopt;
    return when;
}

QList<Copy> list(const QString& folder) {
    QList<Copy> copies;
    for (const QString& name : backupNames(folder)) {
        Copy copy;
        copy.path = QDir(folder).filePath(name);
        copy.created = *createdFromName(name);
        copy.size = QFileInfo(copy.path).size();
        copy.encrypted = isEncrypted(copy.path, copy.readable);
        copies << copy;
    }
    return copies;
}

bool isDataPath(const QString& relative) {
    const QString top = relative.section(QLatin1Char('/'), 0, 0);
    if (relative.contains(QLatin1Char('/')) || matchesAny(top, dataFolderPatterns()))
        return matchesAny(top, dataFolderPatterns());
    return matchesAny(top, dataFilePatterns());
}

qint64 dataSize(const QString& programFolder) {
    QList<Source> files;
    QStringList folders;
    QString failed;
    collect(programFolder, {}, files, folders, failed);
    qint64 total = 0;
    for (const Source& file : files)
        total += file.length;
    return total;
}

QString folderProblem(const QString& programFolder, const QString& backupFolder) {
    if (backupFolder.trimmed().isEmpty())
        return QStringLiteral("Indicare la cartella in cui salvare le copie di sicurezza.");
    const QString program = cleanAbsolute(programFolder);
    const QString target = cleanAbsolute(backupFolder.trimmed());
    if (target == program || target.startsWith(program + QLatin1Char('/')))
        return QStringLiteral(
            "La cartella delle copie di sicurezza non può trovarsi all'interno della cartella "
            "del programma, altrimenti ogni copia conterrebbe anche le precedenti.\n\nScegliere "
            "un'altra cartella, per esempio su una chiavetta USB o su un disco esterno.");
    return {};
}

// --- Backup and restore -----------------------------------------------------------------

Outcome create(const Options& options) {
    Outcome outcome;
    const QString problem = folderProblem(options.programFolder, options.backupFolder);
    if (!problem.isEmpty()) {
        outcome.error = problem;
        return outcome;
    }
    const QString folder = options.backupFolder.trimmed();
    if (!files::makeFolder(folder)) {
        outcome.error = writeFailed(folder, systemReason(errno));
        return outcome;
    }
    QList<Source> sources;
    QStringList folders;
    QString unreadable;
    if (!collect(options.programFolder, options.archives, sources, folders, unreadable)) {
        outcome.error = readFailed(unreadable);
        return outcome;
    }
    // Two backups in the same second get consecutive names.
    QDateTime when = options.when;
    while (QFileInfo::exists(QDir(folder).filePath(fileNameFor(when))))
        when = when.addSecs(1);
    const QString finalPath = QDir(folder).filePath(fileNameFor(when));
    const QString temporary =
        QDir(folder).filePath(QLatin1Char('.') + fileNameFor(when) + QStringLiteral(".tmp"));
    Options stamped = options;
    stamped.when = when;

    // Writing is most of the work; reading back takes the last part of the bar.
    constexpr double writingShare = 0.7;
    if (options.progress)
        stamped.progress = [&options](double done) { options.progress(done * writingShare); };
    QString error = writeZip(temporary, stamped, sources, folders, outcome.manifest);
    if (error.isEmpty()) {
        Progress checking;
        if (options.progress)
            checking = [&options](double done) {
                options.progress(writingShare + done * (1 - writingShare));
            };
        const Outcome check = inspect(temporary, options.password, checking);
        if (!check.ok)
            error = checkFailed(check.error);
        else if (check.manifest.files.size() != outcome.manifest.files.size())
            error = checkFailed(QStringLiteral("numero di file diverso"));
    }
    if (error.isEmpty() && ::rename(QFile::encodeName(temporary).constData(),
                                    QFile::encodeName(finalPath).constData()) != 0)
        error = writeFailed(folder, systemReason(errno));
    if (!error.isEmpty()) {
        removeLeftovers(temporary);
        outcome.error = error;
        return outcome;
    }
    fsyncPath(folder, true);
    outcome.ok = true;
    outcome.path = finalPath;
    if (options.keep > 0) {
        const QStringList names = backupNames(folder);
        for (qsizetype i = options.keep; i < names.size(); ++i) {
            const QString old = QDir(folder).filePath(names[i]);
            if (old != finalPath && QFile::remove(old))
                outcome.removed << old;
        }
    }
    return outcome;
}

Outcome inspect(const QString& zipPath, const QString& password, const Progress& progress) {
    return readBackup(zipPath, password, progress);
}

Outcome restore(const QString& zipPath, const QString& password, const QString& programFolder,
                const Progress& progress) {
    // Files are extracted into a folder of the program folder first, on the same file system,
    // so that each can then replace its original with a rename.
    QTemporaryDir staging(QDir(programFolder).filePath(QStringLiteral(".ripristino-XXXXXX")));
    if (!staging.isValid()) {
        Outcome outcome;
        outcome.error = QStringLiteral("Attenzione: non è stato possibile scrivere nella cartella "
                                       "del programma (%1); nessun file è stato modificato.")
                            .arg(systemReason(errno));
        return outcome;
    }
    std::unique_ptr<QFile> current;
    auto open = [&](const QString& name) -> std::function<bool(QByteArrayView)> {
        const QString path = staging.filePath(name);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return [](QByteArrayView) { return false; };
        current = std::make_unique<QFile>(path);
        if (!current->open(QIODevice::WriteOnly | QIODevice::Truncate))
            return [](QByteArrayView) { return false; };
        return [&current](QByteArrayView piece) {
            return current->write(piece.data(), piece.size()) == piece.size();
        };
    };
    auto done = [&](const QString&) {
        const bool ok = current && current->flush() && ::fsync(current->handle()) == 0;
        if (current)
            current->close();
        current.reset();
        return ok;
    };
    Outcome outcome = readBackup(zipPath, password, progress, open, done);
    if (!outcome.ok)
        return outcome;

    const QDir target(programFolder);
    for (const QString& folder : outcome.manifest.folders) {
        if (!target.mkpath(folder)) {
            outcome.ok = false;
            outcome.error = QStringLiteral("Attenzione: non è stato possibile creare la cartella "
                                           "%1 nella cartella del programma (%2).")
                                .arg(folder, systemReason(errno));
            return outcome;
        }
    }
    for (const FileEntry& file : outcome.manifest.files) {
        const QString from = staging.filePath(file.name);
        const QString to = target.filePath(file.name);
        if (!target.mkpath(QFileInfo(file.name).path()) ||
            ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
            outcome.ok = false;
            outcome.error = QStringLiteral("Attenzione: il ripristino si è interrotto al file %1 "
                                           "(%2). I file precedenti si trovano nella copia di "
                                           "sicurezza creata prima del ripristino.")
                                .arg(file.name, systemReason(errno));
            return outcome;
        }
    }
    fsyncPath(programFolder, true);
    return outcome;
}

} // namespace tarvola::backup
