#pragma once

// Reference versions of the published check rules, written from the rules' own
// definitions in a different form from the program's code (a whole-number Luhn sum, the
// odd table as its letter sequence, MOD 97 one digit at a time). Tests build valid and
// invalid codes with them and never take an expectation from the code under test.

#include <QRandomGenerator>
#include <QString>

namespace tarvola::testing::reference {

inline const QString alphabet = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");

// Codice fiscale: in odd positions the letter at index v of this sequence counts v, and a
// digit counts as the letter of its rank ("0" as "A"); in even positions digits count
// themselves and letters their place in the alphabet. The marks ":" to "@" count 0.
inline const QString oddSequence = QStringLiteral("BAKPLCQDREVOSFTGUHMINJWZYX");

inline int referenceValue(QChar c, bool odd) {
    if (c >= u':' && c <= u'@')
        return 0;
    if (c.isDigit())
        return odd ? oddSequence.indexOf(QChar(u'A' + c.digitValue())) : c.digitValue();
    return odd ? oddSequence.indexOf(c) : c.unicode() - u'A';
}

inline QChar referenceCheckChar(const QString& first15) {
    int sum = 0;
    for (int position = 1; position <= 15; ++position)
        sum += referenceValue(first15[position - 1], position % 2 == 1);
    return QChar(u'A' + sum % 26);
}

// Luhn over a whole number: from the right, every second digit doubled and its digits
// added; the number passes when the total is a multiple of ten.
inline bool referenceLuhn(const QString& digits) {
    int total = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const int d = digits[digits.size() - 1 - i].digitValue();
        total += i % 2 == 1 ? (2 * d) / 10 + (2 * d) % 10 : d;
    }
    return total % 10 == 0;
}

// The digit that makes body + digit pass Luhn.
inline QString withLuhnDigit(const QString& body) {
    for (int d = 0; d <= 9; ++d) {
        if (referenceLuhn(body + QString::number(d)))
            return body + QString::number(d);
    }
    return QString();
}

// ISO 7064 MOD 97-10 one digit at a time over the rearranged text.
inline int referenceMod97(const QString& text) {
    QString compact = text;
    compact.remove(u' ');
    compact = compact.toUpper();
    compact = compact.mid(4) + compact.left(4);
    int r = 0;
    for (const QChar c : compact) {
        const QString digits = c.isDigit() ? QString(c) : QString::number(c.unicode() - u'A' + 10);
        for (const QChar d : digits)
            r = (r * 10 + d.digitValue()) % 97;
    }
    return r;
}

inline QString italianIban(const QString& bban) {
    const int check = 98 - referenceMod97(QStringLiteral("IT00") + bban);
    return QStringLiteral("IT%1").arg(check, 2, 10, QLatin1Char('0')) + bban;
}

inline QString randomText(QRandomGenerator& random, const QString& from, int length) {
    QString text;
    for (int i = 0; i < length; ++i)
        text.append(from[random.bounded(static_cast<int>(from.size()))]);
    return text;
}

} // namespace tarvola::testing::reference
