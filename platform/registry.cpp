#include "platform/registry.h"

#include "platform/atomic_file.h"
#include "platform/file_reader.h"
#include "platform/ini_document.h"
#include "platform/last_error.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <system_error>
#include <vector>

namespace platform {

struct CRegKey {
    std::filesystem::path hiveFile;
    std::u16string path;
    std::uint32_t access;
};

namespace {

constexpr char16_t kDefaultValueName[] = u"@";

std::optional<std::string> HiveName(HKEY root) {
    if (root == HKEY_LOCAL_MACHINE) {
        return "HKEY_LOCAL_MACHINE.ini";
    }
    if (root == HKEY_CURRENT_USER) {
        return "HKEY_CURRENT_USER.ini";
    }
    return std::nullopt;
}

std::u16string ValueName(const char16_t* name) {
    return name == nullptr || *name == u'\0' ? std::u16string(kDefaultValueName)
                                             : std::u16string(name);
}

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string HexByte(std::uint8_t byte) {
    constexpr char16_t kDigits[] = u"0123456789abcdef";
    return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

// regedit's export forms: a DWORD as eight hex digits, anything else as
// its type and bytes, so type and data both come back unchanged.
std::u16string EncodeValue(std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
    if (type == REG_DWORD && size == 4) {
        std::uint32_t value = 0;
        std::memcpy(&value, data, 4);
        std::u16string text = u"dword:";
        for (int shift = 24; shift >= 0; shift -= 8) {
            text += HexByte(static_cast<std::uint8_t>(value >> shift));
        }
        return text;
    }
    std::u16string text = u"hex(" + Ascii(std::to_string(type)) + u"):";
    for (std::uint32_t i = 0; i < size; ++i) {
        text += (i == 0 ? u"" : u",") + HexByte(data[i]);
    }
    return text;
}

struct CValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
};

std::optional<std::uint32_t> ParseHex(std::u16string_view digits, size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char16_t c : digits) {
        int digit = -1;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::optional<CValue> DecodeValue(std::u16string_view text) {
    if (text.starts_with(u"dword:")) {
        const auto value = ParseHex(text.substr(6), 8);
        if (!value) {
            return std::nullopt;
        }
        CValue result{REG_DWORD, std::vector<std::uint8_t>(4)};
        std::memcpy(result.bytes.data(), &*value, 4);
        return result;
    }
    if (!text.starts_with(u"hex(")) {
        return std::nullopt;
    }
    const size_t close = text.find(u"):");
    if (close == std::u16string_view::npos) {
        return std::nullopt;
    }
    std::u16string_view typeText = text.substr(4, close - 4);
    std::uint32_t type = 0;
    for (const char16_t c : typeText) {
        if (c < u'0' || c > u'9' || type > 100000) {
            return std::nullopt;
        }
        type = type * 10 + static_cast<std::uint32_t>(c - u'0');
    }
    CValue result{type, {}};
    std::u16string_view bytes = text.substr(close + 2);
    while (!bytes.empty()) {
        const size_t comma = bytes.find(u',');
        const auto byte = ParseHex(bytes.substr(0, comma), 2);
        if (!byte) {
            return std::nullopt;
        }
        result.bytes.push_back(static_cast<std::uint8_t>(*byte));
        bytes =
            comma == std::u16string_view::npos ? std::u16string_view{} : bytes.substr(comma + 1);
    }
    return result;
}

// Far more than the few values a hive holds; a larger file is refused
// before it costs the memory.
constexpr size_t kMaxHiveBytes = 1 << 20;

// The hive's document, or nothing; FAULT, where asked, says why.
std::optional<CIniDocument> ReadHive(const std::filesystem::path& file,
                                     EReadFault* fault = nullptr) {
    const CFileBytes read = ReadFile(file, kMaxHiveBytes);
    if (fault != nullptr) {
        *fault = read.fault;
    }
    if (!read) {
        return std::nullopt;
    }
    return CIniDocument::FromBytes(read.bytes);
}

long Fail(long error) {
    SetLastError(static_cast<std::uint32_t>(error));
    return error;
}

long OpenKey(HKEY root, const char16_t* subKey, std::uint32_t access, bool create, HKEY* result) {
    const auto hive = HiveName(root);
    if (!hive || subKey == nullptr || result == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const std::filesystem::path file = RegistryRoot() / *hive;
    EReadFault fault = EReadFault::None;
    auto document = ReadHive(file, &fault);
    if (!document && fault != EReadFault::Missing) {
        // A file that cannot be read is never replaced by one of a key.
        return Fail(create ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND);
    }
    if (!document || !document->HasSection(subKey)) {
        if (!create) {
            return Fail(ERROR_FILE_NOT_FOUND);
        }
        std::error_code error;
        std::filesystem::create_directories(file.parent_path(), error);
        if (!document) {
            document = CIniDocument::FromBytes({});
        }
        if (!document->AddSection(subKey)) {
            return Fail(ERROR_INVALID_PARAMETER); // no section of the hive can hold the path
        }
        if (!SaveFileAtomically(file, document->ToBytes())) {
            return Fail(ERROR_ACCESS_DENIED);
        }
    }
    *result = new CRegKey{file, subKey, access};
    return ERROR_SUCCESS;
}

} // namespace

std::filesystem::path RegistryRoot() {
    const char* root = std::getenv("KORDAVIN_REGISTRY_ROOT");
    return root != nullptr && *root != '\0' ? std::filesystem::path(root)
                                            : std::filesystem::path("/var/lib/kordavin/registry");
}

long RegOpenKeyEx(HKEY root, const char16_t* subKey, std::uint32_t, std::uint32_t access,
                  HKEY* result) {
    return OpenKey(root, subKey, access, false, result);
}

long RegCreateKeyEx(HKEY root, const char16_t* subKey, std::uint32_t access, HKEY* result) {
    return OpenKey(root, subKey, access, true, result);
}

long RegQueryValueEx(HKEY key, const char16_t* valueName, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size) {
    if (key == nullptr || (data != nullptr && size == nullptr)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if ((key->access & KEY_QUERY_VALUE) == 0) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    const auto document = ReadHive(key->hiveFile);
    const auto text = document ? document->GetValue(key->path, ValueName(valueName)) : std::nullopt;
    const auto value = text ? DecodeValue(*text) : std::nullopt;
    if (!value) {
        return Fail(ERROR_FILE_NOT_FOUND);
    }
    if (type != nullptr) {
        *type = value->type;
    }
    const auto needed = static_cast<std::uint32_t>(value->bytes.size());
    if (data != nullptr && *size < needed) {
        *size = needed;
        return Fail(ERROR_MORE_DATA);
    }
    if (data != nullptr && needed > 0) {
        std::memcpy(data, value->bytes.data(), needed);
    }
    if (size != nullptr) {
        *size = needed;
    }
    return ERROR_SUCCESS;
}

long RegSetValueEx(HKEY key, const char16_t* valueName, std::uint32_t type,
                   const std::uint8_t* data, std::uint32_t size) {
    if (key == nullptr || (data == nullptr && size != 0)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if ((key->access & KEY_SET_VALUE) == 0) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    auto document = ReadHive(key->hiveFile);
    if (!document || !document->HasSection(key->path)) {
        // The key was deleted behind the handle's back.
        return Fail(ERROR_FILE_NOT_FOUND);
    }
    if (!document->SetValue(key->path, ValueName(valueName), EncodeValue(type, data, size))) {
        return Fail(ERROR_INVALID_PARAMETER); // a name the hive cannot hold
    }
    if (!SaveFileAtomically(key->hiveFile, document->ToBytes())) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return ERROR_SUCCESS;
}

long RegCloseKey(HKEY key) {
    if (HiveName(key)) {
        return ERROR_SUCCESS; // the predefined roots are never closed
    }
    delete key;
    return ERROR_SUCCESS;
}

} // namespace platform
