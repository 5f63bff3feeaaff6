#include "farmaci/prezzo.h"

#include "platform/text.h"

#include <cmath>
#include <optional>

namespace tarvola::farmaco {

namespace {

const QString zero = QStringLiteral("0,00");

// The value of digits with at most one comma (",5" and "5," included); nothing for any
// other text.
std::optional<double> readDecimal(const QString& text) {
    qsizetype commas = 0;
    qsizetype digits = 0;
    for (const QChar c : text) {
        if (c == u',')
            ++commas;
        else if (c >= u'0' && c <= u'9')
            ++digits;
        else
            return std::nullopt;
    }
    if (digits == 0 || commas > 1)
        return std::nullopt;
    QString dotted = text;
    dotted.replace(u',', u'.');
    if (dotted.startsWith(u'.'))
        dotted.prepend(u'0');
    bool ok = false;
    const double value = dotted.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

// Up to 15 significant digits, comma as decimal separator, no trailing zeros.
QString generalFormat(double value) {
    QString text = QString::number(value, 'g', 15);
    text.replace(u'.', u',');
    return text;
}

} // namespace

bool isPriceCharacter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u',';
}

QString normalizedPrice(const QString& typed) {
    QString text = trimText(typed);
    if (text.isEmpty())
        return zero;
    const std::optional<double> value = readDecimal(text);
    if (!value)
        return zero;
    // Four decimals, halves rounded up. The number is written back with digits on both
    // sides of the comma, so at least two decimals are all that is left to add.
    text = generalFormat(std::floor(*value * 10000 + 0.5) / 10000);
    if (!text.contains(u','))
        text += QStringLiteral(",00");
    else if (text[text.size() - 2] == u',')
        text += u'0';
    return text;
}

} // namespace tarvola::farmaco
