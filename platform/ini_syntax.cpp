#include "platform/ini_syntax.h"

#include "platform/codepage.h"

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr unsigned kUtf16LeCodePage = 1200;

std::u16string_view StripQuotes(std::u16string_view value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace

bool IniNamesMatch(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldIniCase(x) == FoldIniCase(y); });
}

size_t CIniNameHash::operator()(std::u16string_view name) const {
    // Four units a step; clearing bit 5 sends both cases of a letter to the
    // same value, which is all that names matching the same way needs.
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = name.size();
    for (size_t i = 0; i < name.size(); i += 4) {
        std::uint64_t word = 0;
        for (size_t j = i; j < std::min(i + 4, name.size()); ++j) {
            word = word << 16 | (name[j] & 0xFFDFu);
        }
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 29;
    }
    return static_cast<size_t>(hash);
}

CIniLineParts ParseIniLine(std::u16string_view line) {
    CIniLineParts parts;
    const std::u16string_view content = TrimIniBlanks(line);
    if (content.starts_with(u'[')) {
        const size_t close = content.find(u']');
        parts.kind = CIniLineParts::Kind::Section;
        parts.name = TrimIniBlanks(content.substr(
            1, close == std::u16string_view::npos ? std::u16string_view::npos : close - 1));
    } else if (!content.starts_with(u';')) {
        const size_t equals = content.find(u'=');
        if (equals != std::u16string_view::npos) {
            parts.kind = CIniLineParts::Kind::Key;
            parts.name = TrimIniBlanks(content.substr(0, equals));
            parts.value = StripQuotes(TrimIniBlanks(content.substr(equals + 1)));
        }
    }
    return parts;
}

CIniText DecodeIniBytes(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeBom)) {
        return {MultiByteToWide(kUtf16LeCodePage, bytes.substr(kUtf16LeBom.size())), true};
    }
    return {MultiByteToWide(GetACP(), bytes), false};
}

std::string EncodeUtf16IniText(std::u16string_view text) {
    return std::string(kUtf16LeBom) + WideToMultiByte(kUtf16LeCodePage, text);
}

} // namespace platform
