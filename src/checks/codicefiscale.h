#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

// The codice fiscale computed from a person's data, and the omocodic variants of a code.
// Nothing here knows a window or the table of places: the caller hands the birthplace's
// four-character code (a town's cadastral code, or a foreign state's "Z" code).
namespace tarvola::checks {

// The text in capitals with its accents taken off ("Agliè" is "AGLIE"), everything else kept.
QString plainCapitals(QStringView text);

// The letters a name is written with in a code: capitals without accents; apostrophes,
// blanks and anything else that is not a letter left out ("D'Angelo" is "DANGELO").
QString codiceFiscaleLetters(QStringView name);

// The three characters of the surname: its consonants, then its vowels, then "X".
QString surnameCode(QStringView surname);

// The three characters of the name: as the surname's, except that a name of more than three
// consonants gives its first, third and fourth.
QString nameCode(QStringView name);

// The five characters of the birth date and sex: two digits of the year, the month letter,
// the day (plus 40 for a woman, sex "F").
QString birthCode(QDate birth, QChar sex);

// The whole 16-character code; the place code must be four characters.
QString computeCodiceFiscale(QStringView surname, QStringView name, QDate birth, QChar sex,
                             QStringView placeCode);

// The code a variant stands for: the letters L M N P Q R S T U V in the seven positions
// that hold digits read as 0 to 9 again, and the check character computed anew. A code
// that is not 16 characters comes back unchanged.
QString withoutOmocodia(QStringView code);

// Whether a typed code belongs to the person whose code was computed: the same code, or an
// omocodic variant of it (with its own check character right).
bool codiceFiscaleBelongs(QStringView typed, QStringView computed);

} // namespace tarvola::checks
