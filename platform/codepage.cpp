#include "platform/codepage.h"

#include "platform/iconv_converter.h"
#include "platform/lcid.h"
#include "platform/single_byte_code_page.h"

#include <map>

namespace platform {
namespace {

std::optional<unsigned> g_ansiOverride;
std::optional<unsigned> g_oemOverride;

constexpr char kDefaultCharacter = '?';
constexpr char16_t kReplacementCharacter = u'\uFFFD';

std::string IconvName(unsigned codePage) {
    switch (codePage) {
    case kUtf16LeCodePage:
        return "UTF-16LE";
    case kUtf8CodePage:
        return "UTF-8";
    default:
        return "CP" + std::to_string(codePage);
    }
}

// The code pages of the user's locale, worked out again only when the
// locale name changes; kept per thread, so that asking takes no lock.
CodePages LocaleCodePages() {
    thread_local std::string cachedName;
    thread_local std::optional<CodePages> cachedPages;
    const std::string_view name = UserLocaleName();
    if (!cachedPages || name != cachedName) {
        cachedPages = DefaultCodePagesForLcid(GetUserDefaultLCID());
        cachedName = name;
    }
    return *cachedPages;
}

// Descriptors live as long as their thread: glibc loads a code page's module
// each time one is opened.
CIconvConverter& ConverterFor(unsigned to, unsigned from) {
    thread_local std::map<std::pair<unsigned, unsigned>, CIconvConverter> converters;
    const auto found = converters.find({to, from});
    if (found != converters.end()) {
        return found->second;
    }
    return converters
        .emplace(std::piecewise_construct, std::forward_as_tuple(to, from),
                 std::forward_as_tuple(IconvName(to), IconvName(from)))
        .first->second;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char16_t UnitAt(const char* littleEndian) {
    return static_cast<char16_t>(static_cast<unsigned char>(littleEndian[0]) |
                                 static_cast<unsigned char>(littleEndian[1]) << 8);
}

// UTF-16LE is the units themselves, each kept as it is, a lone surrogate
// too, as the profile functions keep it in a Unicode file; a converter would
// write one byte for it and shift every unit after it.
std::string LittleEndianBytes(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
    return out;
}

std::u16string LittleEndianUnits(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 2 + 1);
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
        out.push_back(UnitAt(bytes.data() + at));
    }
    if (bytes.size() % 2 != 0) {
        out.push_back(kReplacementCharacter); // a last byte alone is no unit
    }
    return out;
}

} // namespace

unsigned GetACP() { return g_ansiOverride ? *g_ansiOverride : LocaleCodePages().ansi; }

unsigned GetOEMCP() { return g_oemOverride ? *g_oemOverride : LocaleCodePages().oem; }

void OverrideCodePages(std::optional<unsigned> ansi, std::optional<unsigned> oem) {
    g_ansiOverride = ansi;
    g_oemOverride = oem;
}

std::string WideToMultiByte(unsigned codePage, std::u16string_view text) {
    if (codePage == kUtf16LeCodePage) {
        return LittleEndianBytes(text);
    }
    if (const CSingleByteCodePage* table = CSingleByteCodePage::Find(codePage)) {
        return table->FromWide(text, kDefaultCharacter);
    }
    CIconvConverter& converter = ConverterFor(codePage, kUtf16LeCodePage);
    std::string out;
    if (!converter.IsOpen()) {
        out.assign(text.size(), kDefaultCharacter);
        return out;
    }
    // iconv reads bytes; UTF-16 code units are little-endian on every target we build for.
    const std::string_view bytes(reinterpret_cast<const char*>(text.data()),
                                 text.size() * sizeof(char16_t));
    // The whole character the code page lacks is skipped: a surrogate pair or one unit.
    converter.ConvertAll(bytes, out, kDefaultCharacter, [](const char* in, size_t inLeft) {
        const bool isPair =
            inLeft >= 4 && IsHighSurrogate(UnitAt(in)) && IsLowSurrogate(UnitAt(in + 2));
        return size_t{isPair ? 4u : 2u};
    });
    return out;
}

std::u16string MultiByteToWide(unsigned codePage, std::string_view bytes) {
    if (codePage == kUtf16LeCodePage) {
        return LittleEndianUnits(bytes);
    }
    if (const CSingleByteCodePage* table = CSingleByteCodePage::Find(codePage)) {
        return table->ToWide(bytes, kReplacementCharacter);
    }
    CIconvConverter& converter = ConverterFor(kUtf16LeCodePage, codePage);
    std::u16string out;
    if (!converter.IsOpen()) {
        out.assign(bytes.size(), kReplacementCharacter);
        return out;
    }
    converter.ConvertAll(bytes, out, kReplacementCharacter,
                         [](const char*, size_t) { return size_t{1}; });
    return out;
}

bool IsHeldByCodePage(unsigned codePage, std::u16string_view text) {
    return MultiByteToWide(codePage, WideToMultiByte(codePage, text)) == text;
}

} // namespace platform
