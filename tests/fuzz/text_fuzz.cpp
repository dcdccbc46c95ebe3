// Address texts and message formats from anywhere (a profile, a file, a typed field): parsing
// and formatting must never overrun a buffer, and a valid address must survive its round trip.
#include <cstring>

#include "address_control/ip_address.h"
#include "core/text.h"
#include "tests/fuzz/check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);
    // Mostly address-like characters, so the parser's deeper paths are reached.
    const std::u16string narrow = fromUtf8(std::string(reinterpret_cast<const char*>(data), size));

    for (const std::u16string& input : {text, narrow}) {
        std::uint32_t address = 0;
        const bool valid = isValidAddressText(input, true);
        if (parseAddressText(input, address)) {
            char16_t formatted[16] = {};
            check(formatAddress(address, formatted) < 16);
            // "00.0.0.0" passes the text rule but names no address, and "0.0.0.0" does not.
            if (address != 0) {
                std::uint32_t again = 0;
                check(parseAddressText(textOf(formatted), again) && again == address);
                check(isValidAddressText(textOf(formatted), false));
            }
        } else {
            check(!valid || input.empty());
        }

        const std::size_t capacity = size % 40;
        std::u16string out(capacity + 1, u'#');
        const int written = formatText(std::span(out.data(), capacity), input, narrow);
        if (capacity > 0) {
            check(written >= 0 && static_cast<std::size_t>(written) < capacity);
            check(out[static_cast<std::size_t>(written)] == u'\0');
        }
        check(out[capacity] == u'#');

        const std::int64_t numbers[] = {static_cast<std::int64_t>(size), INT64_MIN, 255};
        const int count = formatNumbers(input, numbers, std::span(out.data(), capacity));
        check(count >= 0 && (capacity == 0 || static_cast<std::size_t>(count) < capacity));
        check(out[capacity] == u'#');
    }
    return 0;
}
