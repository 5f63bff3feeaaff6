#pragma once

// The prescription editor over a program folder of its own, opened on a year, with the
// doubles of every service, hand-made archive bytes, and the steps the tests repeat.

#include "prescrizioni/tfrmprescrizioni.h"
#include "support/reportfakes.h"
#include "support/widgets.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace tarvola::testing {

// Where the texts of a prescription lie, as the archive file format fixes them: offset of
// the length byte and capacity.
struct StoredField {
    QString field;
    int offset;
    int capacity;
};

inline const QList<StoredField>& storedFields() {
    static const QList<StoredField> fields = [] {
        QList<StoredField> list{
            {QStringLiteral("StudioMedico"), 0, 250}, {QStringLiteral("IntRigo02"), 251, 250},
            {QStringLiteral("IntRigo03"), 502, 250},  {QStringLiteral("IntRigo04"), 753, 250},
            {QStringLiteral("NumFatt"), 1004, 30},    {QStringLiteral("Data"), 1035, 10},
            {QStringLiteral("Luogo"), 1046, 50},      {QStringLiteral("Medico"), 1097, 50},
            {QStringLiteral("CodFiscMed"), 1148, 16}, {QStringLiteral("Tipologia"), 1165, 250},
            {QStringLiteral("Priorita"), 1416, 30},   {QStringLiteral("Quesito"), 1447, 250},
            {QStringLiteral("Paziente"), 1698, 50},   {QStringLiteral("Sesso"), 1749, 1},
            {QStringLiteral("DataNasc"), 1751, 10},   {QStringLiteral("CodFisc"), 1762, 16},
            {QStringLiteral("Recapito"), 1779, 30},   {QStringLiteral("Tessera"), 1810, 50},
            {QStringLiteral("Asl"), 1861, 30},        {QStringLiteral("Indirizzo"), 1892, 250},
            {QStringLiteral("Esenzione"), 2143, 50},
        };
        const auto number = [](int i) { return QStringLiteral("%1").arg(i, 2, 10, QChar(u'0')); };
        for (int i = 1; i <= 7; ++i)
            list.append({QStringLiteral("Presc") + number(i), 2194 + 251 * (i - 1), 250});
        for (int i = 1; i <= 7; ++i)
            list.append({QStringLiteral("Quant") + number(i), 3951 + 11 * (i - 1), 10});
        for (int i = 1; i <= 7; ++i)
            list.append({QStringLiteral("Nota") + number(i), 4028 + 51 * (i - 1), 50});
        for (int k = 1; k <= 3; ++k)
            list.append({QStringLiteral("File") + number(k), 4385 + 251 * (k - 1), 250});
        for (int k = 1; k <= 3; ++k)
            list.append({QStringLiteral("Desc") + number(k), 5138 + 251 * (k - 1), 250});
        return list;
    }();
    return fields;
}
inline constexpr int recordSize = 5891;

inline const StoredField& storedField(const QString& name) {
    for (const StoredField& f : storedFields()) {
        if (f.field == name)
            return f;
    }
    qFatal("no stored field %s", qUtf8Printable(name));
}

// A prescription as the archive holds it, written byte by byte here so the tests do not rely
// on the codec they check. Texts are given in Windows-1252 bytes.
struct Prescription {
    QByteArray bytes = QByteArray(recordSize, '\0');
    Prescription& put(const char* field, const QByteArray& text) {
        const StoredField& f = storedField(QString::fromLatin1(field));
        Q_ASSERT(text.size() <= f.capacity);
        QByteArray stored(1, static_cast<char>(text.size()));
        stored += text;
        stored += QByteArray(f.capacity + 1 - stored.size(), '\0');
        bytes.replace(f.offset, f.capacity + 1, stored);
        return *this;
    }
    // The pieces of the list line: number, date, kind, patient, codice fiscale, contact.
    static Prescription listed(const QByteArray& number, const QByteArray& date = "01/02/2024",
                               const QByteArray& kind = "Visita",
                               const QByteArray& patient = "ROSSI MARIO",
                               const QByteArray& code = "RSSMRA80A01H501U",
                               const QByteArray& contact = "333 1234567") {
        Prescription p;
        p.put("NumFatt", number).put("Data", date).put("Tipologia", kind);
        p.put("Paziente", patient).put("CodFisc", code).put("Recapito", contact);
        return p;
    }
};

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        QTest::qFail("cannot write the file", __FILE__, __LINE__);
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct PrescrizioniFixture : FormAccess {
    explicit PrescrizioniFixture(const QString& year = QStringLiteral("2024"))
        : FormAccess(&window) {
        window.openYear(dir.filePath(year + QStringLiteral(".med")), year);
    }

    QTemporaryDir dir;
    FakeReportServices fake{dir.path()};
    TfrmPrescrizioni window{fake.services};

    QString archive(const QString& year = QStringLiteral("2024")) const {
        return dir.filePath(year + QStringLiteral(".med"));
    }
    QString ini() const { return dir.filePath(QStringLiteral("Velmora.ini")); }

    bool open() { return showActive(&window); }

    void store(const QList<Prescription>& records,
               const QString& year = QStringLiteral("2024")) const {
        QByteArray bytes;
        for (const Prescription& p : records)
            bytes += p.bytes;
        writeFile(archive(year), bytes);
    }
    QByteArray stored() const { return readFile(archive()); }
    QByteArray storedRecord(int position) const {
        return stored().mid((position - 1) * recordSize, recordSize);
    }
    // Velmora.ini as the tests write it, in Windows-1252.
    void writeIni(const QString& text) const { writeFile(ini(), text.toLatin1()); }
    QString iniText() const { return QString::fromLatin1(readFile(ini())); }
};

} // namespace tarvola::testing
