#pragma once

// The patient editor over a program folder of its own, with the doubles of every service,
// hand-made card bytes at the offsets the archive format fixes, and the steps the tests
// repeat.

#include "pazienti/tfrmpazienti.h"
#include "support/reportfakes.h"
#include "support/widgets.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace tarvola::testing {

// A single text of the card: where its length byte lies and its capacity.
struct StoredField {
    const char* field;
    int offset;
    int capacity;
};

inline constexpr StoredField singleFields[] = {
    {"Cognome", 0, 50},         {"Nome", 51, 50},
    {"CodFisc", 102, 16},       {"Sesso", 119, 1},
    {"DataNasc", 121, 10},      {"ComuneNasc", 132, 50},
    {"ProvNasc", 183, 2},       {"Iva", 186, 11},
    {"Indirizzo", 198, 50},     {"Cap", 249, 5},
    {"ComuneRes", 255, 50},     {"ProvRes", 306, 2},
    {"TelCasa", 309, 30},       {"TelUff", 340, 30},
    {"TelCel", 371, 30},        {"Fax", 402, 30},
    {"Recapito", 433, 30},      {"Email", 464, 50},
    {"Orari", 515, 250},        {"Iban", 766, 27},
    {"Intestatario", 794, 50},  {"Professione", 845, 50},
    {"Carta", 896, 50},         {"ScadeCarta", 947, 30},
    {"Pagamento", 978, 120},    {"Medico", 1099, 50},
    {"Tessera", 1150, 50},      {"Note", 1201, 250},
    {"Privacy", 1452, 50},      {"Peso", 41659, 20},
    {"Altezza", 41680, 20},     {"Gruppo", 41701, 20},
    {"Asl", 41722, 30},         {"Disfunzioni", 41753, 250},
    {"Protesi", 42004, 250},    {"Handicap", 42255, 250},
    {"Interventi", 42506, 250}, {"Vaccinazioni", 42757, 250},
    {"Malattie", 43008, 250},   {"Patologie", 43259, 250},
    {"Terapie", 43510, 250},    {"Farmaci", 43761, 250},
    {"Allergie", 44012, 250},   {"Raccomandazioni", 44263, 250},
};

// A run of like fields: row i of it lies at base + (i - 1) * stride.
struct StoredRun {
    const char* stem;
    int rows;
    int base;
    int stride;
    int capacity;
};

inline constexpr StoredRun storedRuns[] = {
    {"InizioTerap", 18, 1503, 11, 10}, {"FineTerap", 18, 1701, 11, 10},
    {"Terapia", 18, 1899, 251, 250},   {"Costo", 18, 6417, 13, 12},
    {"DataPrest", 96, 6651, 11, 10},   {"OraPrest", 96, 7707, 6, 5},
    {"TipoPrest", 96, 8283, 251, 250}, {"ImpPrest", 96, 32379, 13, 12},
    {"Dente", 32, 33627, 251, 250},    {"File", 3, 44514, 251, 250},
    {"Desc", 3, 45267, 251, 250},
};

inline constexpr int cardSize = 46020;

inline QString rowName(const char* stem, int row) {
    return QString::fromLatin1(stem) + QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

// Every field of the card with its place, singles first, then the runs row by row.
inline QList<StoredField> allStoredFields() {
    static QList<QByteArray> names; // keeps the generated names alive
    QList<StoredField> out(std::begin(singleFields), std::end(singleFields));
    for (const StoredRun& run : storedRuns) {
        for (int i = 1; i <= run.rows; ++i) {
            names.append(rowName(run.stem, i).toLatin1());
            out.append({names.last().constData(), run.base + (i - 1) * run.stride, run.capacity});
        }
    }
    return out;
}

inline StoredField storedField(const QString& name) {
    for (const StoredField& f : allStoredFields()) {
        if (QLatin1String(f.field) == name)
            return f;
    }
    qFatal("no stored field %s", qUtf8Printable(name));
}

// A patient card as the archive holds it, written byte by byte here so the tests do not
// rely on the codec they check. Texts are given as Windows-1252 bytes.
struct PatientCard {
    QByteArray bytes = QByteArray(cardSize, '\0');
    PatientCard& put(const QString& field, const QByteArray& text) {
        const StoredField f = storedField(field);
        Q_ASSERT(text.size() <= f.capacity);
        QByteArray stored(1, static_cast<char>(text.size()));
        stored += text;
        stored += QByteArray(f.capacity + 1 - stored.size(), '\0');
        bytes.replace(f.offset, f.capacity + 1, stored);
        return *this;
    }
    // The text a card holds in a field, read byte by byte.
    static QByteArray at(const QByteArray& bytes, const QString& field) {
        const StoredField f = storedField(field);
        return bytes.mid(f.offset + 1, static_cast<unsigned char>(bytes[f.offset]));
    }
};

struct PazientiFixture : FormAccess {
    PazientiFixture()
        : FormAccess(&window) {}

    QTemporaryDir dir;
    FakeReportServices fake{dir.path()};
    TfrmPazienti window{fake.services};

    QString archive() const { return dir.filePath(QStringLiteral("Pazienti.pro")); }
    bool open() { return showActive(&window); }

    QComboBox* picker(const QString& name) { return control<QComboBox>(&window, name); }
    // The text of an edit or a province picker.
    QString shown(const QString& field) const {
        const QString name = QStringLiteral("txt") + field;
        if (auto* combo = window.findChild<QComboBox*>(name))
            return combo->currentText();
        return text(name);
    }
    void show(const QString& field, const QString& value) const {
        const QString name = QStringLiteral("txt") + field;
        if (auto* combo = window.findChild<QComboBox*>(name))
            combo->setEditText(value);
        else
            setText(name, value);
    }

    QByteArray stored() const {
        QFile f(archive());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void store(const QList<PatientCard>& cards) const {
        QByteArray bytes;
        for (const PatientCard& c : cards)
            bytes += c.bytes;
        QFile f(archive());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            QTest::qFail("cannot write the archive", __FILE__, __LINE__);
    }
    QByteArray storedCard(int position) const {
        return stored().mid((position - 1) * cardSize, cardSize);
    }
    // Cards named "CARD 1", "CARD 2", ... in the surname.
    void storeNumbered(int count) const {
        QList<PatientCard> cards;
        for (int i = 1; i <= count; ++i)
            cards << PatientCard().put(QStringLiteral("Cognome"), "CARD " + QByteArray::number(i));
        store(cards);
    }
};

} // namespace tarvola::testing
