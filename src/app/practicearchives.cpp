#include "app/practicearchives.h"

#include "archive/recordlayout.h"
#include "farmaci/farmacorecord.h"
#include "pazienti/pazienterecord.h"
#include "prescrizioni/prescrizionerecord.h"
#include "ricette/ricettarecord.h"

namespace tarvola {

QList<backup::Archive> practiceArchives() {
    return {
        {QString::fromLatin1(ricetta::archiveName), ricetta::layout().size()},
        {QString::fromLatin1(paziente::archiveName), paziente::layout().size()},
        {QString::fromLatin1(farmaco::archiveName), farmaco::layout().size()},
        {QStringLiteral("*.med"), prescrizione::layout().size()},
    };
}

} // namespace tarvola
