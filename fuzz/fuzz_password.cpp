// The password store's scrambling: any stored text decodes without fault; what decodes
// encodes back to the same digits, and every storable password survives the round trip.

#include "fuzzing.h"

#include "app/password.h"

using namespace tarvola;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString hex = fuzzing::text(fuzzing::view(data, size));
    if (const std::optional<QString> plain = password::decode(hex)) {
        FUZZ_CHECK(plain->size() == hex.size() / 2);
        FUZZ_CHECK(password::encode(*plain) == hex.left(plain->size() * 2).toUpper());
    }
    const QString typed = hex;
    const QString encoded = password::encode(typed);
    FUZZ_CHECK(encoded.size() == typed.size() * 2);
    if (password::storable(typed))
        FUZZ_CHECK(password::decode(encoded) == typed);
    return 0;
}
