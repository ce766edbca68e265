#include "settings/text_format.h"

std::u16string DecimalText(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string DottedAddressText(const IpField& address) {
    if (!address.IsEntered()) {
        return {};
    }
    std::u16string text;
    for (size_t i = 0; i < address.octets.size(); ++i) {
        if (i > 0) {
            text += u'.';
        }
        text += DecimalText(address.octets[i]);
    }
    return text;
}
