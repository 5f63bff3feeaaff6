#include "checks/verifica.h"

#include "checks/tfrmcodfisc.h"
#include "checks/tfrmpartitaiva.h"
#include "platform/text.h"

#include <algorithm>

namespace tarvola {

void openTaxCodeCheck(Services& services, QWidget* parent, const QString& text) {
    const QString code = trimText(text);
    const bool digitsOnly = !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
    if (digitsOnly) {
        TfrmPartitaIva window(services, parent);
        window.setCode(code);
        window.exec();
    } else {
        TfrmCodFisc window(services, parent);
        window.setCode(code);
        window.exec();
    }
}

} // namespace tarvola
