#include "platform/private_profile.h"

#include "platform/atomic_file.h"
#include "platform/ini_document.h"
#include "platform/profile_file.h"

#include <algorithm>
#include <string>

namespace platform {

std::uint32_t GetPrivateProfileString(const char16_t* section, const char16_t* key,
                                      const char16_t* defaultValue, char16_t* buffer,
                                      std::uint32_t size, const std::filesystem::path& path) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const bool named = section != nullptr && key != nullptr;
    const CProfileFile file = named ? CProfileFile(path) : CProfileFile();
    const std::u16string value = file.GetString(named ? section : u"", named ? key : u"",
                                                defaultValue != nullptr ? defaultValue : u"", size);
    std::copy(value.begin(), value.end(), buffer);
    buffer[value.size()] = u'\0';
    return static_cast<std::uint32_t>(value.size());
}

namespace {

// A name holding a bracket, an equals sign or a line break would read back
// as another name, and a line break in a value would start a new line.
bool BreaksTheFile(const char16_t* text, std::u16string_view forbidden) {
    return text != nullptr &&
           std::u16string_view(text).find_first_of(forbidden) != std::u16string_view::npos;
}

} // namespace

bool WritePrivateProfileString(const char16_t* section, const char16_t* key, const char16_t* value,
                               const std::filesystem::path& path) {
    if (section == nullptr) {
        return key == nullptr && value == nullptr;
    }
    if (BreaksTheFile(section, u"]\r\n") || BreaksTheFile(key, u"=[\r\n") ||
        BreaksTheFile(value, u"\r\n")) {
        return false;
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
