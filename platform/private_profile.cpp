#include "platform/private_profile.h"

#include "platform/atomic_file.h"
#include "platform/ini_document.h"

#include <algorithm>
#include <string>

namespace platform {
namespace {

std::u16string_view TrimTrailingBlanks(std::u16string_view text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::uint32_t CopyTruncated(std::u16string_view text, char16_t* buffer, std::uint32_t size) {
    const auto count = static_cast<std::uint32_t>(std::min<size_t>(text.size(), size - 1));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = u'\0';
    return count;
}

} // namespace

std::uint32_t GetPrivateProfileString(const char16_t* section, const char16_t* key,
                                      const char16_t* defaultValue, char16_t* buffer,
                                      std::uint32_t size, const std::filesystem::path& path) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    if (section != nullptr && key != nullptr) {
        if (const auto bytes = ReadWholeFile(path)) {
            if (const auto value = CIniDocument::FromBytes(*bytes).GetValue(section, key)) {
                return CopyTruncated(*value, buffer, size);
            }
        }
    }
    return CopyTruncated(TrimTrailingBlanks(defaultValue != nullptr ? defaultValue : u""), buffer,
                         size);
}

bool WritePrivateProfileString(const char16_t* section, const char16_t* key, const char16_t* value,
                               const std::filesystem::path& path) {
    if (section == nullptr) {
        return key == nullptr && value == nullptr;
    }
    const auto bytes = ReadWholeFile(path);
    if (!bytes && std::filesystem::exists(path)) {
        return false;
    }
    CIniDocument document = CIniDocument::FromBytes(bytes.value_or(std::string{}));
    if (key == nullptr) {
        document.DeleteSection(section);
    } else if (value == nullptr) {
        document.DeleteKey(section, key);
    } else {
        document.SetValue(section, key, value);
    }
    return SaveFileAtomically(path, document.ToBytes());
}

} // namespace platform
