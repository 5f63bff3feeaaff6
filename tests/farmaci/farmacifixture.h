#pragma once

// The drug editor over a program folder of its own, with the doubles of every service,
// hand-made archive bytes, and the few steps the tests repeat.

#include "farmaci/tfrmfarmaci.h"
#include "support/reportfakes.h"
#include "support/widgets.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

namespace tarvola::testing {

// Where the texts of a drug card lie, as the archive file format fixes them: offset of the
// length byte and capacity.
struct StoredField {
    const char* field;
    int offset;
    int capacity;
};

inline constexpr StoredField storedFields[] = {
    {"Farmaco", 0, 50},         {"Produttore", 51, 50},
    {"Principio", 102, 120},    {"Composizione", 223, 250},
    {"Categoria", 474, 50},     {"TipoRic", 525, 50},
    {"CodMin", 576, 30},        {"Classe", 607, 30},
    {"NotaAifa", 638, 50},      {"Atc", 689, 20},
    {"Forma", 710, 50},         {"Regime", 761, 50},
    {"Durata", 812, 50},        {"Periodo", 863, 50},
    {"DosaggioBam", 914, 50},   {"DosaggioAdu", 965, 50},
    {"DosaggioAnz", 1016, 50},  {"Conservazione", 1067, 50},
    {"Confezione", 1118, 50},   {"Prezzo", 1169, 15},
    {"Indicazioni", 1185, 250}, {"Controindicazioni", 1436, 250},
    {"Interazioni", 1687, 250}, {"Avvertenze", 1938, 250},
    {"Annotazioni", 2189, 250}, {"DaOrdinare", 2440, 2},
    {"File01", 2443, 250},      {"File02", 2694, 250},
    {"File03", 2945, 250},      {"Desc01", 3196, 250},
    {"Desc02", 3447, 250},      {"Desc03", 3698, 250},
};
inline constexpr int cardSize = 3949;

inline const StoredField& storedField(const QString& name) {
    for (const StoredField& f : storedFields) {
        if (QLatin1String(f.field) == name)
            return f;
    }
    qFatal("no stored field %s", qUtf8Printable(name));
}

// The 25 edited texts, in record order.
inline QStringList editedFields() {
    QStringList names;
    for (int i = 0; i < 25; ++i)
        names << QString::fromLatin1(storedFields[i].field);
    return names;
}

// A drug card as the archive holds it, written byte by byte here so the tests do not rely
// on the codec they check. Texts are given in Windows-1252 bytes; every flag reads "No"
// unless put otherwise.
struct DrugCard {
    QByteArray bytes = QByteArray(cardSize, '\0');
    DrugCard() { put("DaOrdinare", "No"); }
    DrugCard& put(const char* field, const QByteArray& text) {
        const StoredField& f = storedField(QString::fromLatin1(field));
        Q_ASSERT(text.size() <= f.capacity);
        QByteArray stored(1, static_cast<char>(text.size()));
        stored += text;
        stored += QByteArray(f.capacity + 1 - stored.size(), '\0');
        bytes.replace(f.offset, f.capacity + 1, stored);
        return *this;
    }
    DrugCard& ticked() { return put("DaOrdinare", "S\xec"); }
    // The text a card holds in a field, read byte by byte.
    static QByteArray at(const QByteArray& bytes, const char* field) {
        const StoredField& f = storedField(QString::fromLatin1(field));
        return bytes.mid(f.offset + 1, static_cast<unsigned char>(bytes[f.offset]));
    }
    // The pieces of the list line: name, form, AIFA note, ATC, Minsan code, price.
    static DrugCard listed(const QByteArray& name, const QByteArray& forma = {},
                           const QByteArray& price = "0,00") {
        DrugCard card;
        card.put("Farmaco", name).put("Forma", forma).put("Prezzo", price);
        return card;
    }
};

struct FarmaciFixture : FormAccess {
    FarmaciFixture()
        : FormAccess(&window) {}

    QTemporaryDir dir;
    FakeReportServices fake{dir.path()};
    TfrmFarmaci window{fake.services};

    QString archive() const { return dir.filePath(QStringLiteral("Farmaci.pro")); }

    bool open() { return showActive(&window); }

    QCheckBox* toOrder() { return control<QCheckBox>(&window, QStringLiteral("chkDaOrdinare")); }
    QByteArray stored() const {
        QFile f(archive());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void store(const QList<DrugCard>& cards) const {
        QByteArray bytes;
        for (const DrugCard& c : cards)
            bytes += c.bytes;
        QFile f(archive());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            QTest::qFail("cannot write the archive", __FILE__, __LINE__);
    }
    // The card at a position of the archive file, as bytes.
    QByteArray storedCard(int position) const {
        return stored().mid((position - 1) * cardSize, cardSize);
    }
};

} // namespace tarvola::testing
