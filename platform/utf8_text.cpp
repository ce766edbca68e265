#include "platform/utf8_text.h"

#include "platform/codepage.h"

#include <cstdio>

std::u16string Utf8ToWide(std::string_view text) {
    return platform::MultiByteToWide(platform::kUtf8CodePage, text);
}

std::string WideToUtf8(std::u16string_view text) {
    return platform::WideToMultiByte(platform::kUtf8CodePage, text);
}

bool IsUtf8(std::string_view text) { return WideToUtf8(Utf8ToWide(text)) == text; }

std::string OneLineText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            shown += "\\\\";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}
