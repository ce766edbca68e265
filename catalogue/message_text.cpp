#include "catalogue/message_catalogue.h"

namespace {

constexpr std::u16string_view kPlaceholder = u"%s";
constexpr std::u16string_view kMessageBoxPadding = u"   ";

} // namespace

const char16_t* GetMessageText(int id) {
    // Identifiers are constants of the callers; a stray one reads as empty
    // rather than outside the table.
    if (id < 0 || id >= kMessageCount || g_nLanguageIndex < 0 ||
        g_nLanguageIndex >= kLanguageCount) {
        return u"";
    }
    return g_MessageTable[id * kLanguageCount + g_nLanguageIndex];
}

std::u16string& ComposeMessageText(std::u16string& buffer, int id) {
    buffer = GetMessageText(id);
    buffer += kMessageBoxPadding;
    return buffer;
}

std::u16string FormatDeviceText(int id, std::u16string_view deviceName) {
    std::u16string text = GetMessageText(id);
    // The name comes from the host: it is inserted as plain text, so any "%"
    // in it is shown and never interpreted.
    const auto placeholder = text.find(kPlaceholder);
    if (placeholder != std::u16string::npos) {
        text.replace(placeholder, kPlaceholder.size(), deviceName);
    }
    return text;
}
