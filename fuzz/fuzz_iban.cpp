// The IBAN remainder on any text.

#include "fuzzing.h"

#include "checks/identifiers.h"
#include "platform/text.h"

using namespace tarvola;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzing::text(fuzzing::view(data, size));
    const int remainder = checks::ibanRemainder(text);
    FUZZ_CHECK(remainder >= 0 && remainder <= 96);
    // The case of the letters a to z does not count.
    FUZZ_CHECK(checks::ibanRemainder(upperAZ(text)) == remainder);
    FUZZ_CHECK(checks::ibanRemainder(lowerAZ(text)) == remainder);
    return 0;
}
