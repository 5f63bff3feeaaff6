#pragma once

// A program folder that holds every kind of file a practice has, and what of it a backup
// must carry, for the backup tests and their helper process.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>

namespace tarvola::testing {

// Every file and folder below root by relative path: a file with its bytes, a folder with
// the text "<cartella>".
using Tree = QMap<QString, QByteArray>;

inline Tree tree(const QString& root) {
    Tree shot;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QByteArray bytes("<cartella>");
        if (!it.fileInfo().isDir()) {
            QFile file(path);
            bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<illeggibile>");
        }
        shot.insert(QDir(root).relativeFilePath(path), bytes);
    }
    return shot;
}

inline void putFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Bytes that do not compress, so a few of them fill a small disk.
inline QByteArray noise(qsizetype size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    return bytes;
}

// The practice's data (every kind a backup holds) and, beside it, the program's own files
// that a backup leaves out. The archives hold whole records of their real sizes.
inline Tree practiceData() {
    auto records = [](int size, int count, char fill) {
        QByteArray bytes;
        for (int n = 1; n <= count; ++n)
            bytes += QByteArray(size, fill).replace(0, 12, QByteArray::number(n).leftJustified(12));
        return bytes;
    };
    return {
        {QStringLiteral("Archivio_Ricette.pro"), records(2550, 3, 'r')},
        {QStringLiteral("Pazienti.pro"), records(46020, 2, 'p')},
        {QStringLiteral("Farmaci.pro"), records(3949, 4, 'f')},
        {QStringLiteral("2025.med"), records(5891, 2, 'a')},
        {QStringLiteral("2026.med"), records(5891, 1, 'b')},
        {QStringLiteral("Velmora.ini"), "[Intestazione Studio]\r\nDenominazione=STUDIO\r\n"},
        {QStringLiteral("Impostazioni.ini"), "[Margini Ricetta]\r\nSuperiore=2\r\n"},
        {QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=ABCDEF\r\n"},
        {QStringLiteral("Logo.bmp"), "BM" + noise(3000, 1)},
        {QStringLiteral("Modulo_Privacy.rtf"), "{\\rtf1 consenso}"},
        {QStringLiteral("Pazienti.xls"), "<html>pazienti</html>"},
        {QStringLiteral("Documenti_Allegati"), "<cartella>"},
        {QStringLiteral("Documenti_Allegati/referto è già pronto.pdf"), "%PDF-1.4 referto"},
        {QStringLiteral("Documenti_Allegati/vuoto.txt"), ""},
        {QStringLiteral("Paziente_3"), "<cartella>"},
        {QStringLiteral("Paziente_3/esami"), "<cartella>"},
        {QStringLiteral("Paziente_3/esami/ecografia.jpg"), noise(2000, 2)},
        {QStringLiteral("Paziente_3/vuota"), "<cartella>"},
    };
}

inline Tree programFiles() {
    return {
        {QStringLiteral("tarvola"), "\x7f"
                                    "ELF il programma"},
        {QStringLiteral("lib"), "<cartella>"},
        {QStringLiteral("lib/libQt6Core.so.6"), "\x7f"
                                                "ELF una libreria"},
        {QStringLiteral("Guida.pdf"), "%PDF-1.4 guida"},
    };
}

inline void writeTree(const QString& root, const Tree& files) {
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QString path = QDir(root).filePath(it.key());
        if (it.value() == "<cartella>")
            QDir().mkpath(path);
        else
            putFile(path, it.value());
    }
}

} // namespace tarvola::testing
