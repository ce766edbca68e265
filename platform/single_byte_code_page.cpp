#include "platform/single_byte_code_page.h"

#include "platform/iconv_converter.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// Windows defines five bytes of 1252 that glibc refuses: they stand for the
// control characters of the same numbers, both ways.
constexpr unsigned kWesternEuropean = 1252;
constexpr std::array<std::uint8_t, 5> kWesternControlBytes = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

template <unsigned CodePage> const CSingleByteCodePage& TableOf() {
    static const CSingleByteCodePage table(CodePage);
    return table;
}

} // namespace

const CSingleByteCodePage* CSingleByteCodePage::Find(unsigned codePage) {
    switch (codePage) {
    case 437:
        return &TableOf<437>();
    case 850:
        return &TableOf<850>();
    case 852:
        return &TableOf<852>();
    case 865:
        return &TableOf<865>();
    case 866:
        return &TableOf<866>();
    case 1250:
        return &TableOf<1250>();
    case 1251:
        return &TableOf<1251>();
    case 1252:
        return &TableOf<1252>();
    default:
        return nullptr;
    }
}

CSingleByteCodePage::CSingleByteCodePage(unsigned codePage) {
    m_toWide.fill(kUndefined);
    CIconvConverter converter("UTF-16LE", "CP" + std::to_string(codePage));
    if (!converter.IsOpen()) {
        return;
    }
    for (unsigned byte = 0; byte < m_toWide.size(); ++byte) {
        const char in = static_cast<char>(byte);
        std::u16string out;
        converter.ConvertAll(std::string_view(&in, 1), out, kUndefined,
                             [](const char*, size_t) { return size_t{1}; });
        m_toWide[byte] = out.size() == 1 ? out[0] : kUndefined;
    }
    if (codePage == kWesternEuropean) {
        for (const std::uint8_t byte : kWesternControlBytes) {
            m_toWide[byte] = byte;
        }
    }
    m_keepsAscii = true;
    for (unsigned byte = 0; byte < 0x80; ++byte) {
        m_keepsAscii = m_keepsAscii && m_toWide[byte] == byte;
    }
    // The first byte of a character wins, as iconv's own reverse table has it.
    for (unsigned byte = m_toWide.size(); byte-- > 1;) {
        if (m_toWide[byte] != kUndefined) {
            m_fromWide[m_toWide[byte]] = static_cast<std::uint8_t>(byte);
        }
    }
}

std::u16string CSingleByteCodePage::ToWide(std::string_view bytes, char16_t replacement) const {
    std::u16string text(bytes.size(), u'\0');
    const auto convert = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            const char16_t unit = m_toWide[static_cast<unsigned char>(bytes[i])];
            text[i] = unit == kUndefined ? replacement : unit;
        }
    };
    // Sixteen bytes of plain ASCII a step are widened as one vector.
    using CBytes = std::uint8_t __attribute__((vector_size(16)));
    using CUnits = std::uint16_t __attribute__((vector_size(32)));
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    size_t done = 0;
    if (m_keepsAscii) {
        for (; done + sizeof(CBytes) <= bytes.size(); done += sizeof(CBytes)) {
            CBytes chunk;
            std::memcpy(&chunk, bytes.data() + done, sizeof chunk);
            std::uint64_t halves[2];
            std::memcpy(halves, &chunk, sizeof halves);
            if (((halves[0] | halves[1]) & kHighBits) != 0) {
                convert(done, done + sizeof(CBytes));
                continue;
            }
            const CUnits units = __builtin_convertvector(chunk, CUnits);
            std::memcpy(text.data() + done, &units, sizeof units);
        }
    }
    convert(done, bytes.size());
    return text;
}

std::string CSingleByteCodePage::FromWide(std::u16string_view text, char defaultCharacter) const {
    std::string bytes(text.size(), '\0');
    size_t read = 0;
    size_t written = 0;
    // Sixteen units of plain ASCII a step are narrowed as one vector.
    using CUnits = std::uint16_t __attribute__((vector_size(32)));
    using CBytes = std::uint8_t __attribute__((vector_size(16)));
    constexpr size_t kStep = sizeof(CBytes);
    constexpr std::uint64_t kAboveAscii = 0xFF80FF80FF80FF80ull;
    while (read < text.size()) {
        if (m_keepsAscii && read + kStep <= text.size()) {
            std::array<std::uint64_t, 4> words;
            std::memcpy(words.data(), text.data() + read, sizeof words);
            if (((words[0] | words[1] | words[2] | words[3]) & kAboveAscii) == 0) {
                CUnits units;
                std::memcpy(&units, words.data(), sizeof units);
                const CBytes narrowed = __builtin_convertvector(units, CBytes);
                std::memcpy(bytes.data() + written, &narrowed, sizeof narrowed);
                read += kStep;
                written += kStep;
                continue;
            }
        }
        for (const size_t end = std::min(read + kStep, text.size()); read < end;) {
            const char16_t unit = text[read++];
            const std::uint8_t byte = m_fromWide[unit];
            if (byte != 0 || unit == u'\0') {
                bytes[written++] = static_cast<char>(byte);
                continue;
            }
            if (IsHighSurrogate(unit) && read < text.size() && IsLowSurrogate(text[read])) {
                ++read;
            }
            bytes[written++] = defaultCharacter;
        }
    }
    bytes.resize(written);
    return bytes;
}

} // namespace platform
