#include "checks/codicefiscale.h"

#include "checks/identifiers.h"

#include <algorithm>
#include <cstring>

namespace tarvola::checks {

namespace {

bool isVowel(QChar c) {
    return c == u'A' || c == u'E' || c == u'I' || c == u'O' || c == u'U';
}

// Consonants, then vowels, then "X", cut to three; for a name with more than three
// consonants its first, third and fourth.
QString threeLetters(QStringView text, bool isName) {
    const QString letters = codiceFiscaleLetters(text);
    QString consonants;
    QString vowels;
    for (QChar c : letters)
        (isVowel(c) ? vowels : consonants) += c;
    if (isName && consonants.size() > 3)
        return QString(consonants[0]) + consonants[2] + consonants[3];
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

constexpr char monthLetters[] = "ABCDEHLMPRST";
// The letters that stand for the digits 0 to 9 in an omocodic code.
constexpr char omocodiaLetters[] = "LMNPQRSTUV";
// The positions of a code that hold digits: the year, the day and the place's number.
constexpr int digitPositions[] = {6, 7, 9, 10, 12, 13, 14};

} // namespace

QString plainCapitals(QStringView text) {
    // Plain ASCII, most names, needs no decomposition (the table of places is read at once).
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toString().toUpper();
    // Decomposed, an accented letter is its letter followed by the accent, which goes.
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_D).toUpper();
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    }
    return out;
}

QString codiceFiscaleLetters(QStringView name) {
    QString out;
    for (QChar c : plainCapitals(name)) {
        if (c >= u'A' && c <= u'Z')
            out += c;
    }
    return out;
}

QString surnameCode(QStringView surname) {
    return threeLetters(surname, false);
}

QString nameCode(QStringView name) {
    return threeLetters(name, true);
}

QString birthCode(QDate birth, QChar sex) {
    const int day = birth.day() + (sex == u'F' ? 40 : 0);
    return QStringLiteral("%1%2%3")
        .arg(birth.year() % 100, 2, 10, QLatin1Char('0'))
        .arg(QLatin1Char(monthLetters[birth.month() - 1]))
        .arg(day, 2, 10, QLatin1Char('0'));
}

QString computeCodiceFiscale(QStringView surname, QStringView name, QDate birth, QChar sex,
                             QStringView placeCode) {
    const QString first15 =
        surnameCode(surname) + nameCode(name) + birthCode(birth, sex) + placeCode.toString();
    const auto check = codiceFiscaleCheckChar(first15);
    return check ? first15 + *check : QString();
}

QString withoutOmocodia(QStringView code) {
    QString out = code.toString().toUpper();
    if (out.size() != 16)
        return code.toString();
    for (int position : digitPositions) {
        const char* letter = std::strchr(omocodiaLetters, out[position].toLatin1());
        if (out[position].isLetter() && letter && *letter)
            out[position] = QChar(u'0' + int(letter - omocodiaLetters));
    }
    const auto check = codiceFiscaleCheckChar(QStringView(out).first(15));
    if (check)
        out[15] = *check;
    return out;
}

bool codiceFiscaleBelongs(QStringView typed, QStringView computed) {
    const QString code = typed.toString().trimmed().toUpper();
    if (code == computed)
        return true;
    return isValidCodiceFiscale(code) && withoutOmocodia(code) == computed;
}

} // namespace tarvola::checks
