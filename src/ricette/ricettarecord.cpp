#include "ricette/ricettarecord.h"

#include "platform/text.h"

namespace tarvola::ricetta {

namespace {

RecordLayout makeLayout() {
    RecordLayout l;
    l.field(QStringLiteral("Assistito"), 50)
        .field(QStringLiteral("Indirizzo"), 120)
        .field(QStringLiteral("CodFisc"), 16)
        .run(QStringLiteral("Ese"), 6, 1)
        .run(QStringLiteral("Prov"), 2, 1)
        .run(QStringLiteral("Asl"), 3, 1)
        .run(QStringLiteral("Num"), 8, 1)
        .run(QStringLiteral("Presc"), 8, 50)
        .field(QStringLiteral("Presc09"), 120)
        .run(QStringLiteral("Cuf"), 6, 1)
        .run(QStringLiteral("Conf"), 3, 1)
        .run(QStringLiteral("TipoRic"), 2, 1)
        .run(QStringLiteral("Data"), 6, 1)
        .run(QStringLiteral("Medico"), 4, 50)
        .field(QStringLiteral("Asl"), 3)
        .field(QStringLiteral("Prov"), 2)
        .field(QStringLiteral("Conf"), 3)
        .field(QStringLiteral("Data"), 8);
    for (const QString& flag : toggleFields())
        l.field(flag, 2);
    l.field(QStringLiteral("Completata"), 2).attachments();
    return l;
}

QString joined(const Record& record, const QString& stem, int first, int last) {
    QString text;
    for (int i = first; i <= last; ++i)
        text += trimText(record.value(runName(stem, i)));
    return text;
}

} // namespace

const RecordLayout& layout() {
    static const RecordLayout ricetta = makeLayout();
    return ricetta;
}

const QStringList& toggleFields() {
    static const QStringList names{
        QStringLiteral("NonEsente"), QStringLiteral("Reddito"), QStringLiteral("Sugg"),
        QStringLiteral("Ricov"),     QStringLiteral("Altro"),   QStringLiteral("U"),
        QStringLiteral("B"),         QStringLiteral("D"),       QStringLiteral("P")};
    return names;
}

const QStringList& summaryFields() {
    static const QStringList names{QStringLiteral("Prov"), QStringLiteral("Asl"),
                                   QStringLiteral("Conf"), QStringLiteral("Data")};
    return names;
}

void computeSummaries(Record& record) {
    const QString data = QStringLiteral("Data");
    const QString slash = QStringLiteral("/");
    record.setValue(QStringLiteral("Prov"), joined(record, QStringLiteral("Prov"), 1, 2));
    record.setValue(QStringLiteral("Asl"), joined(record, QStringLiteral("Asl"), 1, 3));
    record.setValue(QStringLiteral("Conf"), joined(record, QStringLiteral("Conf"), 1, 3));
    record.setValue(data, joined(record, data, 1, 2) + slash + joined(record, data, 3, 4) + slash +
                              joined(record, data, 5, 6));
}

} // namespace tarvola::ricetta
