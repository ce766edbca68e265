#include "platform/ini_syntax.h"

#include "platform/codepage.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace platform {
namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string SwappedUnitBytes(std::string_view bytes) {
    std::string swapped(bytes.substr(0, bytes.size() & ~size_t{1}));
    for (size_t at = 0; at < swapped.size(); at += 2) {
        std::swap(swapped[at], swapped[at + 1]);
    }
    return swapped;
}

std::u16string_view StripQuotes(std::u16string_view value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace

std::u16string_view IniValueAsRead(std::u16string_view value) {
    return StripQuotes(TrimIniBlanks(value));
}

bool IniNamesMatch(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    if (SameUnits(a, b)) {
        return true;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && FoldIniCase(a[i]) != FoldIniCase(b[i])) {
            return false;
        }
    }
    return true;
}

size_t CIniNameHash::operator()(std::u16string_view name) const {
    // Four units a word, and two words a step in lanes of their own, so that
    // their multiplications overlap. Clearing bit 5 of each unit sends both
    // cases of a letter to the same value, which is all that names matching
    // the same way need.
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    constexpr std::uint64_t kFoldCase = 0xFFDFFFDFFFDFFFDFull;
    constexpr std::uint64_t kSecondLaneSeed = 0xC2B2AE3D27D4EB4Full;
    constexpr size_t kWordUnits = sizeof(std::uint64_t) / sizeof(char16_t);
    const auto mix = [](std::uint64_t hash, std::uint64_t word) {
        hash = (hash ^ (word & kFoldCase)) * kMultiplier;
        return hash ^ hash >> 29;
    };
    const auto word = [&name](size_t at, size_t units) {
        if (units == kWordUnits) {
            std::uint64_t value;
            std::memcpy(&value, name.data() + at, sizeof value);
            return value;
        }
        // A few units, put together here: memcpy of a size not known until
        // now would be a call.
        std::uint64_t value = 0;
        for (size_t unit = 0; unit < units; ++unit) {
            value |= std::uint64_t{name[at + unit]} << (16 * unit);
        }
        return value;
    };
    std::uint64_t first = name.size();
    std::uint64_t second = kSecondLaneSeed;
    size_t i = 0;
    for (; i + 2 * kWordUnits <= name.size(); i += 2 * kWordUnits) {
        first = mix(first, word(i, kWordUnits));
        second = mix(second, word(i + kWordUnits, kWordUnits));
    }
    if (i + kWordUnits <= name.size()) {
        first = mix(first, word(i, kWordUnits));
        i += kWordUnits;
    }
    if (i < name.size()) {
        second = mix(second, word(i, name.size() - i));
    }
    return static_cast<size_t>(mix(first ^ std::rotl(second, 32), 0));
}

namespace {

constexpr std::uint64_t kEveryUnit = 0x0001000100010001ull;
constexpr std::uint64_t kLowBits = 0x7FFF7FFF7FFF7FFFull;

// The high bit of each 16-bit lane that is zero, and of no other: the low
// bits are added apart from the high one, so no carry crosses a lane.
std::uint64_t ZeroLanes(std::uint64_t word) {
    return ~(((word & kLowBits) + kLowBits) | word | kLowBits);
}

// The first unit in text order of a word of four with a lane set.
size_t FirstLane(std::uint64_t lanes) {
    constexpr int kLaneBits = 16;
    if constexpr (std::endian::native == std::endian::little) {
        return static_cast<size_t>(std::countr_zero(lanes) / kLaneBits);
    } else {
        return static_cast<size_t>(std::countl_zero(lanes) / kLaneBits);
    }
}

} // namespace

size_t FindEitherUnit(std::u16string_view text, size_t from, char16_t a, char16_t b) {
    // Four units a word, in plain integers: the same on every machine, and
    // close to the speed of vector code, as a load scans every unit of a file.
    constexpr size_t kWordUnits = sizeof(std::uint64_t) / sizeof(char16_t);
    const std::uint64_t allA = kEveryUnit * a;
    const std::uint64_t allB = kEveryUnit * b;
    for (; from + kWordUnits <= text.size(); from += kWordUnits) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + from, sizeof word);
        if (const std::uint64_t lanes = ZeroLanes(word ^ allA) | ZeroLanes(word ^ allB)) {
            return from + FirstLane(lanes);
        }
    }
    while (from < text.size() && text[from] != a && text[from] != b) {
        ++from;
    }
    return from;
}

CIniLineParts ParseIniLine(std::u16string_view line) {
    CIniLineParts parts;
    const std::u16string_view content = TrimIniBlanks(line);
    // A header ends at its last "]"; a line without one is no header.
    const size_t close =
        content.starts_with(u'[') ? content.rfind(u']') : std::u16string_view::npos;
    if (close != std::u16string_view::npos) {
        parts.kind = CIniLineParts::Kind::Section;
        parts.name = TrimIniBlanks(content.substr(1, close - 1));
    } else if (!content.starts_with(u';')) {
        const size_t equals = FindEitherUnit(content, 0, u'=', u'=');
        if (equals != content.size()) {
            parts.kind = CIniLineParts::Kind::Key;
            parts.name = TrimIniBlanks(content.substr(0, equals));
            parts.value = IniValueAsRead(content.substr(equals + 1));
        }
    }
    return parts;
}

CIniText DecodeIniBytes(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeBom)) {
        const std::string_view units = bytes.substr(kUtf16LeBom.size());
        return {MultiByteToWide(kUtf16LeCodePage, units.substr(0, units.size() & ~size_t{1})),
                EIniEncoding::Utf16Le};
    }
    if (bytes.starts_with(kUtf16BeBom)) {
        return {
            MultiByteToWide(kUtf16LeCodePage, SwappedUnitBytes(bytes.substr(kUtf16BeBom.size()))),
            EIniEncoding::Utf16Be};
    }
    if (bytes.starts_with(kUtf8Bom)) {
        return {MultiByteToWide(kUtf8CodePage, bytes.substr(kUtf8Bom.size())), EIniEncoding::Utf8};
    }
    return {MultiByteToWide(GetACP(), bytes), EIniEncoding::Ansi};
}

std::string EncodeIniText(std::u16string_view text, EIniEncoding encoding) {
    switch (encoding) {
    case EIniEncoding::Utf8:
        return std::string(kUtf8Bom) + WideToMultiByte(kUtf8CodePage, text);
    case EIniEncoding::Utf16Be:
        return std::string(kUtf16BeBom) + SwappedUnitBytes(WideToMultiByte(kUtf16LeCodePage, text));
    case EIniEncoding::Utf16Le:
        return std::string(kUtf16LeBom) + WideToMultiByte(kUtf16LeCodePage, text);
    default:
        return WideToMultiByte(GetACP(), text);
    }
}

} // namespace platform
