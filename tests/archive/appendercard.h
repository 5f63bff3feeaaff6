#pragma once

// The card the appender helper writes as number n of its series, so the test can tell
// every stored record from every other and check that none was torn or mixed.

#include "archive/record.h"
#include "archive/recordlayout.h"
#include "ricette/ricettarecord.h"

namespace tarvola::testing {

inline Record appenderCard(const QString& series, int n) {
    Record card(ricetta::layout());
    const QString id = QStringLiteral("%1-%2").arg(series).arg(n, 4, 10, QLatin1Char('0'));
    card.setValue(QStringLiteral("Assistito"), QStringLiteral("ASSISTITO ") + id);
    card.setValue(QStringLiteral("Indirizzo"), QStringLiteral("Via ") + id);
    card.setValue(QStringLiteral("Presc01"), QStringLiteral("FARMACO ") + id);
    card.setValue(QStringLiteral("Medico04"), id);
    card.setValue(QStringLiteral("Desc03"), QString(200, QLatin1Char('x')) + id);
    return card;
}

} // namespace tarvola::testing
