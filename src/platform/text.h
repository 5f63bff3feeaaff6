#pragma once

#include <QString>

namespace tarvola {

// Texts are trimmed of blanks and control characters (every code up to the space), the
// way stored fields and typed values have always been compared.
QString trimText(const QString& text);

// Case changes and case-blind comparisons touch only the letters a to z: accented
// letters keep their case, as every archive written so far expects.
QString upperAZ(const QString& text);
QString lowerAZ(const QString& text);
bool equalsIgnoringCaseAZ(const QString& a, const QString& b);

// Dates are always day/month/year with slashes, whatever the system's regional settings.
inline constexpr const char* dateFormat = "dd/MM/yyyy";

} // namespace tarvola
