#pragma once

#include <QString>

namespace tarvola {

// The help topic of the red prescription app: its title and its eleven paragraphs,
// separated by an empty line (CR LF CR LF). The user guide repeats the same text.
QString ricetteHelpTitle();
QString ricetteHelpText();

} // namespace tarvola
