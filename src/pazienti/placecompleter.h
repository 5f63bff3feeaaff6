#pragma once

#include <QString>

#include <functional>

class QLineEdit;

namespace tarvola {

// Offers the Italian towns whose names begin as the text typed in edit (accents, case,
// apostrophes and repeated blanks aside) in a list under it. The edit's text changes only
// when the user picks a town: picked then gets the town's name as the registry writes it and
// its province. withCeased also offers the towns that no longer exist (a birthplace may be
// one). The table is read on the first keystroke, not when the window is built.
void attachPlaceCompleter(QLineEdit* edit, bool withCeased,
                          std::function<void(const QString& name, const QString& province)> picked);

} // namespace tarvola
