#include "ricette/ricettesearch.h"

#include "ricette/ricettarecord.h"

namespace tarvola::ricetta {

const QList<LineColumn>& listColumns() {
    static const QList<LineColumn> columns = [] {
        const auto at = [](const char* name) {
            return int(layout().indexOf(QString::fromLatin1(name)));
        };
        return QList<LineColumn>{{at("Assistito"), QString(), 30},
                                 {at("CodFisc"), QStringLiteral("  C.F. "), 16},
                                 {at("Asl"), QStringLiteral("  ASL: "), 3},
                                 {at("Presc01"), QStringLiteral("  Farmaco: "), 30},
                                 {at("Data"), QStringLiteral("  Data: "), 8},
                                 {at("Medico01"), QStringLiteral("  Medico: "), 0}};
    }();
    return columns;
}

} // namespace tarvola::ricetta
