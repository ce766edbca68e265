#pragma once
#include <cstdint>
#include <string_view>

namespace platform {

// The user's locale as a Windows locale identifier, taken from LC_ALL,
// LC_MESSAGES, LANG (the first set and not empty). Unknown or C: 0x0409.
std::uint32_t GetUserDefaultLCID();

// The first of LC_ALL, LC_MESSAGES, LANG that is set and not empty; empty if none is.
std::string_view UserLocaleName();

// Maps a POSIX locale name (language_TERRITORY[.codeset][@modifier]).
std::uint32_t LcidFromLocaleName(std::string_view name);

struct CodePages {
    unsigned ansi;
    unsigned oem;
};

// The ANSI and OEM code pages Windows uses by default for a locale.
CodePages DefaultCodePagesForLcid(std::uint32_t lcid);

} // namespace platform
