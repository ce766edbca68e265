#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The system ANSI and OEM code pages: the Windows defaults for the user's
// locale unless a test has put others in their place.
unsigned GetACP();
unsigned GetOEMCP();
void OverrideCodePages(std::optional<unsigned> ansi, std::optional<unsigned> oem);

inline constexpr unsigned kUtf16LeCodePage = 1200;
inline constexpr unsigned kUtf8CodePage = 65001;

// Characters the code page lacks become its default character '?'.
std::string WideToMultiByte(unsigned codePage, std::u16string_view text);

// Bytes the code page does not define become U+FFFD.
std::u16string MultiByteToWide(unsigned codePage, std::string_view bytes);

// Whether the code page gives the text back unchanged: a text with a
// character it lacks would be stored as another one.
bool IsHeldByCodePage(unsigned codePage, std::u16string_view text);

} // namespace platform
