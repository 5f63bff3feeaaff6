#pragma once

#include <QString>

#include <optional>

namespace tarvola::password {

// The store: an INI file in the program folder, despite its name.
inline constexpr const char* storeFile = "unins000.dll";
inline constexpr const char* storeSection = "Accesso";
inline constexpr const char* storeKey = "Valore";

// The scrambling of the stored password: each character's low 8 bits are mixed with a
// running 16-bit key and written as two upper-case hexadecimal digits.
QString encode(const QString& plain);

// The text back from its digits; a last unpaired digit is ignored. Nothing when a pair
// is not hexadecimal.
std::optional<QString> decode(const QString& hex);

// The form in which a typed password is compared and stored: a to z in capitals, trimmed.
QString normalized(const QString& typed);

// True when every character survives the scrambling (codes below 256).
bool storable(const QString& plain);

} // namespace tarvola::password
