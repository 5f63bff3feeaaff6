#include "bench/table.h"

#include <QStringList>

#include <algorithm>

namespace tarvola::bench {

QString grouped(qint64 number) {
    QString digits = QString::number(number);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u' ');
    return digits;
}

namespace {

QString amount(double value, const QString& unit) {
    const int decimals = value < 10 ? 2 : value < 100 ? 1 : 0;
    return QString::number(value, 'f', decimals) + u' ' + unit;
}

} // namespace

QString resultTable(const QList<Result>& results) {
    const QStringList headers{
        QStringLiteral("archive"), QStringLiteral("records"),  QStringLiteral("measurement"),
        QStringLiteral("ours"),    QStringLiteral("baseline"), QStringLiteral("baseline value"),
        QStringLiteral("ratio"),   QStringLiteral("target"),   QStringLiteral("met")};
    QList<QStringList> rows;
    for (const Result& r : results) {
        rows.append(
            {r.archive, grouped(r.records), r.measurement, amount(r.ours, r.unit), r.baseline,
             amount(r.base, r.unit), QString::number(r.ratio(), 'f', 2),
             r.target > 0 ? QStringLiteral("< ") + QString::number(r.target) : QString(),
             r.target > 0 ? (r.met() ? QStringLiteral("yes") : QStringLiteral("NO")) : QString()});
    }
    QList<qsizetype> widths;
    for (qsizetype c = 0; c < headers.size(); ++c) {
        qsizetype w = headers[c].size();
        for (const QStringList& row : rows)
            w = std::max(w, row[c].size());
        widths << w;
    }
    // Numbers are right-aligned, texts left-aligned.
    const QList<bool> right{false, true, false, true, false, true, true, false, false};
    const auto line = [&](const QStringList& cells) {
        QString text = QStringLiteral("|");
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const QString cell =
                right[c] ? cells[c].rightJustified(widths[c]) : cells[c].leftJustified(widths[c]);
            text += u' ' + cell + QStringLiteral(" |");
        }
        return text + u'\n';
    };
    QString out = line(headers);
    QStringList rule;
    for (qsizetype w : widths)
        rule << QString(w, u'-');
    out += line(rule);
    for (const QStringList& row : rows)
        out += line(row);
    return out;
}

} // namespace tarvola::bench
