// The partita IVA check and its office table on any text.

#include "fuzzing.h"

#include "checks/identifiers.h"

using namespace tarvola;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString number = fuzzing::text(fuzzing::view(data, size));
    const bool valid = checks::isValidPartitaIva(number);
    checks::ivaOfficeName(number);
    checks::ivaOfficeName(number.mid(7, 3));

    // Ten digits from the input: the check digit completes them to a valid number, and any
    // other last digit does not.
    QString ten;
    for (qsizetype i = 0; i < 10; ++i)
        ten += QChar(u'0' + (i < qsizetype(size) ? data[i] % 10 : 0));
    const int digit = checks::partitaIvaCheckDigit(ten);
    FUZZ_CHECK(digit >= 0 && digit <= 9);
    FUZZ_CHECK(checks::isValidPartitaIva(ten + QChar(u'0' + digit)));
    FUZZ_CHECK(!checks::isValidPartitaIva(ten + QChar(u'0' + (digit + 1) % 10)));
    if (valid)
        FUZZ_CHECK(number.size() == 11 &&
                   checks::partitaIvaCheckDigit(number.left(10)) == number.back().unicode() - u'0');
    return 0;
}
