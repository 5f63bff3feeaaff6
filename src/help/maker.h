#pragma once

namespace tarvola::maker {

// Who makes the program, as the about and credits windows and the launcher show it.
inline constexpr const char* credit = "realizzato da Tarvola Software";
inline constexpr const char* email = "info@tarvola.it";
inline constexpr const char* web = "https://www.tarvola.it";

} // namespace tarvola::maker
