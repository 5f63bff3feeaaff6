// The codice fiscale check on any text.

#include "fuzzing.h"

#include "checks/identifiers.h"

using namespace tarvola;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString code = fuzzing::text(fuzzing::view(data, size));
    const std::optional<QChar> check = checks::codiceFiscaleCheckChar(code);
    const bool valid = checks::isValidCodiceFiscale(code);
    if (check) {
        FUZZ_CHECK(*check >= u'A' && *check <= u'Z');
        // The first fifteen characters with their check character make a valid code when they
        // are capitals and digits.
        const QString first = code.left(15);
        const bool plain = std::all_of(first.begin(), first.end(), [](QChar c) {
            return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        });
        if (plain)
            FUZZ_CHECK(checks::isValidCodiceFiscale(first + *check));
    }
    if (valid)
        FUZZ_CHECK(code.size() == 16 && check && code.back() == *check);
    return 0;
}
