#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A code page of one byte per character, converted through tables: the
// code pages the user's locale can ask for are read and written without a
// call into iconv per text.
class CSingleByteCodePage {
public:
    // The table of a single-byte code page the locale table uses; null for
    // any other code page. Each table is built from iconv at its first use.
    static const CSingleByteCodePage* Find(unsigned codePage);

    // Undefined bytes become replacement.
    std::u16string ToWide(std::string_view bytes, char16_t replacement) const;
    // Characters the code page lacks become defaultCharacter, a surrogate
    // pair as one.
    std::string FromWide(std::u16string_view text, char defaultCharacter) const;

    explicit CSingleByteCodePage(unsigned codePage);

private:
    static constexpr char16_t kUndefined = u'\uFFFF';

    std::array<char16_t, 256> m_toWide{};
    // Bytes below 0x80 stand for the same units, as in every code page the
    // locale table names: runs of such bytes are widened as vectors.
    bool m_keepsAscii = false;
    // By UTF-16 unit; 0 for every unit but U+0000 means the code page lacks it.
    std::array<std::uint8_t, 65536> m_fromWide{};
};

} // namespace platform
