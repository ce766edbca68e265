#include "cli/text_conversion.h"

#include "platform/codepage.h"

std::u16string Utf8ToWide(std::string_view text) {
    return platform::MultiByteToWide(platform::kUtf8CodePage, text);
}

std::string WideToUtf8(std::u16string_view text) {
    return platform::WideToMultiByte(platform::kUtf8CodePage, text);
}

bool IsUtf8(std::string_view text) { return WideToUtf8(Utf8ToWide(text)) == text; }
