// The payment card check on any text.

#include "fuzzing.h"

#include "checks/identifiers.h"

using namespace tarvola;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzing::text(fuzzing::view(data, size));
    const std::optional<int> leading = checks::cardLeadingDigit(text);
    if (leading)
        FUZZ_CHECK(*leading >= 0 && *leading <= 9);
    const checks::CardVerdict verdict = checks::judgeCard(text);
    if (verdict.kind == checks::CardVerdict::Kind::Named)
        FUZZ_CHECK(!verdict.type.isEmpty());
    // Only a number that passes the check can be named or left unnamed.
    if (verdict.kind != checks::CardVerdict::Kind::Wrong)
        FUZZ_CHECK(leading.has_value());
    return 0;
}
