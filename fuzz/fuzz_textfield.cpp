// The text field codec: any stored bytes decode without fault, to the text the rule gives,
// and any text encodes to a field that decodes back to its trimmed, cut form.

#include "fuzzing.h"

#include "archive/textfield.h"
#include "platform/cp1252.h"
#include "platform/text.h"

using namespace tarvola;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input = fuzzing::view(data, size);
    if (input.isEmpty())
        return 0;
    const int capacity = 1 + static_cast<unsigned char>(input.front()) % 255;
    const QByteArrayView field = input.sliced(1);

    // Decoding: the length byte, cut to the capacity and to what is there, then trimmed.
    const QString decoded = textfield::decode(field, capacity);
    if (!field.isEmpty()) {
        const qsizetype length = std::min<qsizetype>(
            {static_cast<unsigned char>(field.front()), capacity, field.size() - 1});
        FUZZ_CHECK(decoded == trimText(fromCp1252(field.sliced(1, length))));
    } else {
        FUZZ_CHECK(decoded.isEmpty());
    }
    // A decoded text stores back as itself.
    const QByteArray stored = textfield::encode(decoded, capacity);
    FUZZ_CHECK(stored.size() == capacity + 1);
    FUZZ_CHECK(textfield::decode(stored, capacity) == decoded);

    // Encoding any text: a field of the capacity holding at most capacity bytes, which reads
    // back as the text trimmed, converted and cut, with no blank at either end.
    const QString typed = fuzzing::text(field);
    const QByteArray encoded = textfield::encode(typed, capacity);
    FUZZ_CHECK(encoded.size() == capacity + 1);
    FUZZ_CHECK(static_cast<unsigned char>(encoded.front()) <= capacity);
    const QString back = textfield::decode(encoded, capacity);
    FUZZ_CHECK(back == trimText(back));
    FUZZ_CHECK(toCp1252(trimText(typed)).startsWith(toCp1252(back)));
    return 0;
}
