#pragma once

#include "backup/backup.h"

namespace tarvola {

// The archives of the four apps with the size of their records, so that a backup copies
// each of them as whole records only.
QList<backup::Archive> practiceArchives();

} // namespace tarvola
