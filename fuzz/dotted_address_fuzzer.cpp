// Parses arbitrary text as a dotted address from a settings file: a refusal
// leaves 0.0.0.0, and an accepted address written back reads as itself.
#include "fuzz/fuzz_support.h"
#include "settings/text_format.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text =
        FuzzText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::array<std::uint8_t, 4> octets;
    octets.fill(0xAA); // a parse must overwrite whatever was there
    const int result = ParseDottedAddress(text, octets);
    FuzzExpect(result == 1 || result == -1, "the result is 1 or -1");
    if (result == -1) {
        FuzzExpect(octets == std::array<std::uint8_t, 4>{}, "a refused address is 0.0.0.0");
        return 0;
    }
    FuzzExpect(std::all_of(text.begin(), text.end(),
                           [](char16_t c) { return c == u'.' || (c >= u'0' && c <= u'9'); }),
               "only digits and dots are accepted");

    const std::u16string written = DottedAddressText(IpField{octets, 4});
    std::array<std::uint8_t, 4> reread{};
    FuzzExpect(ParseDottedAddress(written, reread) == 1 && reread == octets,
               "an accepted address written back reads as itself");
    return 0;
}
