#include "prescrizioni/prescrizionerecord.h"

#include "platform/text.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace tarvola::prescrizione {

namespace {

struct Row {
    const char* field;
    const char* caption;
    int capacity;
};

// The texts before the seven lines, in file order.
constexpr Row rows[] = {
    {"StudioMedico", "Studio medico:", 250},
    {"IntRigo02", "Intestazione (rigo 2):", 250},
    {"IntRigo03", "Intestazione (rigo 3):", 250},
    {"IntRigo04", "Intestazione (rigo 4):", 250},
    {"NumFatt", "Prescrizione n.", 30},
    {"Data", "Data emissione:", 10},
    {"Luogo", "Luogo:", 50},
    {"Medico", "Cognome e nome Medico:", 50},
    {"CodFiscMed", "Codice fiscale Medico:", 16},
    {"Tipologia", "Tipologia prescrizione:", 250},
    {"Priorita", "Priorità:", 30},
    {"Quesito", "Quesito diagnostico:", 250},
    {"Paziente", "Cognome e nome paziente:", 50},
    {"Sesso", "Sesso:", 1},
    {"DataNasc", "Data di nascita:", 10},
    {"CodFisc", "Codice fiscale:", 16},
    {"Recapito", "Recapito preferenziale:", 30},
    {"Tessera", "Tessera sanitaria n.", 50},
    {"Asl", "ASL di provenienza:", 30},
    {"Indirizzo", "Indirizzo di residenza:", 250},
    {"Esenzione", "Esenzione:", 50},
};

RecordLayout makeLayout() {
    RecordLayout l;
    for (const Row& row : rows)
        l.field(QString::fromLatin1(row.field), row.capacity);
    l.run(QStringLiteral("Presc"), 7, 250)
        .run(QStringLiteral("Quant"), 7, 10)
        .run(QStringLiteral("Nota"), 7, 50)
        .attachments();
    return l;
}

bool digitsOnly(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

const RecordLayout& layout() {
    static const RecordLayout prescrizione = makeLayout();
    return prescrizione;
}

const QList<FormField>& formFields() {
    static const QList<FormField> fields = [] {
        QList<FormField> list;
        for (const Row& row : rows)
            list.append({QString::fromLatin1(row.field), QString::fromUtf8(row.caption)});
        return list;
    }();
    return fields;
}

const QStringList& headerFields() {
    static const QStringList names{QStringLiteral("StudioMedico"), QStringLiteral("IntRigo02"),
                                   QStringLiteral("IntRigo03"),    QStringLiteral("IntRigo04"),
                                   QStringLiteral("Luogo"),        QStringLiteral("Medico"),
                                   QStringLiteral("CodFiscMed")};
    return names;
}

std::optional<QString> archiveNameOfYear(const QString& typed) {
    if (typed.size() != 4 || !digitsOnly(typed))
        return std::nullopt;
    return typed + QStringLiteral(".med");
}

std::optional<QString> nextNumber(const QString& start, const QString& yearFlag, qint64 stored,
                                  const QDate& today) {
    const QString s = trimText(start);
    qint64 first = 1;
    if (!s.isEmpty()) {
        // Digits only: a sign, blanks inside or a decimal point are not a start value.
        bool ok = digitsOnly(s) && s.size() <= 15;
        first = ok ? s.toLongLong(&ok) : 0;
        if (!ok)
            return std::nullopt;
    }
    QString number = QString::number(first + stored);
    if (trimText(yearFlag) == QStringLiteral("Sì"))
        number += u'/' + today.toString(QStringLiteral("yyyy"));
    return number;
}

QString normalizedStart(const QString& text) {
    const QString t = trimText(text);
    if (t.isEmpty())
        return QStringLiteral("1");
    // The edit takes digits only, but a value may come pasted or with a decimal comma.
    QString number = t;
    number.replace(u',', u'.');
    static const QRegularExpression plain(QStringLiteral("^[0-9]+(\\.[0-9]*)?$"));
    if (!plain.match(number).hasMatch() || number.size() > 15)
        return QStringLiteral("1");
    const double value = std::floor(number.toDouble() + 0.5);
    return QString::number(qint64(value));
}

bool isRealDate(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,2})/([0-9]{1,2})/([0-9]{4})$"));
    const QRegularExpressionMatch m = form.match(trimText(text));
    if (!m.hasMatch())
        return false;
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()).isValid();
}

const QList<LineColumn>& listColumns() {
    static const QList<LineColumn> columns = [] {
        const auto at = [](const char* name) {
            return int(layout().indexOf(QString::fromLatin1(name)));
        };
        return QList<LineColumn>{{at("NumFatt"), QStringLiteral("Presc. n. "), 12},
                                 {at("Data"), QStringLiteral("  Data: "), 10},
                                 {at("Tipologia"), QStringLiteral("  "), 30},
                                 {at("Paziente"), QStringLiteral("  Paz. "), 30},
                                 {at("CodFisc"), QStringLiteral("  C.F. "), 16},
                                 {at("Recapito"), QStringLiteral("  Tel. "), 0}};
    }();
    return columns;
}

} // namespace tarvola::prescrizione
