#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The arithmetic behind the four identifier check windows. Nothing here knows a window:
// each function takes the text as the window holds it and gives a plain answer.
namespace tarvola::checks {

// Codice fiscale ------------------------------------------------------------------------

// The check character of a codice fiscale computed from its first 15 characters, which
// must be capitals, digits or the seven punctuation marks between "9" and "A" (those
// count 0). Nothing when there are fewer than 15 characters or one of them is outside
// "0".."Z": such a code has no value in the tables.
std::optional<QChar> codiceFiscaleCheckChar(QStringView code);

// A 16-character code in capitals whose last character is its check character.
bool isValidCodiceFiscale(QStringView code);

// Partita IVA ---------------------------------------------------------------------------

// The check digit of a partita IVA from its first ten digits (the caller makes sure there
// are ten digits).
int partitaIvaCheckDigit(QStringView firstTen);

// Eleven digits whose last is the check digit of the first ten.
bool isValidPartitaIva(QStringView number);

struct IvaOffice {
    QString code; // digits 8 to 10 of the number
    QString name;
};

// The provincial VAT offices in the order they are listed, by their three-digit code.
const QList<IvaOffice>& ivaOffices();

// The name of the office with the given code; empty for a code not in the table.
QString ivaOfficeName(QStringView code);

// Payment card --------------------------------------------------------------------------

// The first digit of the number when it passes the Luhn check, nothing when it does not.
// Only the digits among the first 20 characters of the text count; blanks, dashes and
// anything else there are skipped. The last of those digits is the check digit.
std::optional<int> cardLeadingDigit(QStringView text);

struct CardVerdict {
    enum class Kind {
        Wrong,   // fails the check or has a leading digit no card type uses
        Unnamed, // passes but begins "3" followed by something no card type uses
        Named,   // passes, of the type given
    };
    Kind kind = Kind::Wrong;
    QString type;
};

// The verdict on a card number as the window holds it (already trimmed): the Luhn check on
// its digits, then the type by the leading digit, and for numbers beginning with 3 by the
// first two characters of the text.
CardVerdict judgeCard(const QString& text);

// IBAN ----------------------------------------------------------------------------------

// The ISO 7064 MOD 97-10 remainder of an IBAN text (blanks and one "IBAN" prefix are
// ignored, letters count 10 to 35), worked out in chunks so no intermediate number needs
// more than nine digits. A text holding anything but letters "A".."Z" (in either case),
// digits and blanks gives 0, as does an empty one: neither can be a valid IBAN.
int ibanRemainder(QStringView text);

} // namespace tarvola::checks
