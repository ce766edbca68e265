#include "settings/text_format.h"

#include <algorithm>
#include <climits>

namespace {

constexpr long long kSaturated = static_cast<long long>(INT_MAX) + 1;
constexpr int kAddressPieces = 4;
constexpr size_t kMaxPieceLength = 3;
constexpr long long kMaxOctet = 255;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsCBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

} // namespace

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

long long DecimalValue(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min(value * 10 + (text[i] - u'0'), kSaturated);
    }
    return negative ? -value : value;
}

int ParseDottedAddress(std::u16string_view text, std::array<std::uint8_t, 4>& octets) {
    octets.fill(0);
    if (text.empty()) {
        return 1;
    }
    if (!std::all_of(text.begin(), text.end(),
                     [](char16_t c) { return IsDigit(c) || c == u'.'; })) {
        return -1;
    }
    // Three pieces end at a dot, neither first nor last; the fourth is the
    // rest, read up to its first dot. Read in place, as a load reads 155.
    std::array<std::uint8_t, 4> values{};
    size_t start = 0;
    for (int piece = 0; piece < kAddressPieces; ++piece) {
        size_t end = text.size();
        if (piece < kAddressPieces - 1) {
            end = std::min(text.find(u'.', start), text.size());
            if (end == text.size() || end == start || end + 1 == text.size()) {
                return -1;
            }
        }
        if (end - start > kMaxPieceLength) {
            return -1;
        }
        long long value = 0;
        for (size_t i = start; i < end && IsDigit(text[i]); ++i) {
            value = value * 10 + (text[i] - u'0');
        }
        if (value > kMaxOctet) {
            return -1;
        }
        values[piece] = static_cast<std::uint8_t>(value);
        start = end + 1;
    }
    octets = values;
    return 1;
}
