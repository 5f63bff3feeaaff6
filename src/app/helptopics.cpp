#include "app/helptopics.h"

namespace tarvola::help {

Topic overview() {
    return {QStringLiteral("Uno sguardo a Tarvola 3.0"),
            QStringLiteral("Tarvola 3.0 compila e stampa ricette mediche rosse e prescrizioni "
                           "su fogli bianchi con il logo dello studio.")};
}

} // namespace tarvola::help
