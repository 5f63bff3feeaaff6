#pragma once

#include <QString>

namespace tarvola::farmaco {

// The price of a card as the editor leaves it: digits with a comma as decimal separator,
// at least two decimals and at most four ("5" gives "5,00", "7,5" gives "7,50",
// "3,14159" gives "3,1416"). An empty text, a lone comma and anything that is not digits
// with at most one comma (letters, blanks inside, a sign, a dot) give "0,00".
QString normalizedPrice(const QString& typed);

// Whether a typed character may go into the price: a digit 0 to 9 or the comma.
bool isPriceCharacter(QChar c);

} // namespace tarvola::farmaco
