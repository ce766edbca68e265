#include "settings/text_format.h"

#include <algorithm>
#include <charconv>
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
    std::array<char, 24> digits; // a sign and the 19 digits of the longest value
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    const char* begin = digits.data();
    return std::u16string(begin, end);
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
    // One pass, as a load reads 155 addresses. Three pieces end at a dot,
    // neither first nor last; the fourth is the rest, whose value is read up
    // to its first dot. Values stop growing once too big to be an octet.
    constexpr unsigned kTooBig = kMaxOctet + 1;
    std::array<unsigned, kAddressPieces> values{};
    int piece = 0;
    size_t pieceStart = 0;
    bool lastPieceRead = false;
    const auto pieceFits = [&](size_t end) {
        return end - pieceStart <= kMaxPieceLength && values[piece] <= kMaxOctet;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'.') {
            if (piece == kAddressPieces - 1) {
                lastPieceRead = true;
                continue;
            }
            if (i == pieceStart || i + 1 == text.size() || !pieceFits(i)) {
                return -1;
            }
            ++piece;
            pieceStart = i + 1;
            continue;
        }
        if (!IsDigit(c)) {
            return -1;
        }
        if (!lastPieceRead) {
            values[piece] = std::min(values[piece] * 10 + (c - u'0'), kTooBig);
        }
    }
    if (piece != kAddressPieces - 1 || !pieceFits(text.size())) {
        return -1;
    }
    for (int i = 0; i < kAddressPieces; ++i) {
        octets[i] = static_cast<std::uint8_t>(values[i]);
    }
    return 1;
}
