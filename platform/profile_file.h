#pragma once
#include "platform/ini_key_table.h"
#include "platform/ini_syntax.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

// Where a load looks its values up: one value per call, answered as
// GetPrivateProfileString answers with a buffer of the given size.
class IProfileSource {
public:
    virtual ~IProfileSource() = default;
    // Into the caller's string, as into the caller's buffer, so that a load
    // reading many values into the same strings allocates little.
    virtual void GetStringInto(std::u16string_view section, std::u16string_view key,
                               std::u16string_view defaultValue, std::uint32_t bufferSize,
                               std::u16string& value) const = 0;

    std::u16string GetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view defaultValue, std::uint32_t bufferSize) const {
        std::u16string value;
        GetStringInto(section, key, defaultValue, bufferSize, value);
        return value;
    }
};

// A profile file read once for many lookups; each lookup answers as
// GetPrivateProfileString answers with a buffer of the given size. Only the
// text is kept, with where its headers are; a section's keys are gathered
// when it is first asked for. So a file of millions of lines costs little
// more than its text.
class CProfileFile : public IProfileSource {
public:
    // No file: every lookup gives its default.
    CProfileFile() = default;
    // The bytes of a file as read: ANSI, or UTF-16 after a byte order mark.
    explicit CProfileFile(std::string_view bytes);
    // The gathered keys point into the text.
    CProfileFile(const CProfileFile&) = delete;
    CProfileFile& operator=(const CProfileFile&) = delete;

    // The value, or the default without its trailing blanks, as a buffer of
    // bufferSize units holds it: up to its first NUL and at most
    // bufferSize - 1 units.
    void GetStringInto(std::u16string_view section, std::u16string_view key,
                       std::u16string_view defaultValue, std::uint32_t bufferSize,
                       std::u16string& value) const override;

private:
    // The keys of the first section of the name.
    const CIniKeyTable& SectionKeys(std::u16string_view section) const;

    std::u16string m_text;
    // Where each section's header line starts in the text.
    std::vector<size_t> m_headers;
    // Without a NUL in the text, no value needs searching for one.
    bool m_holdsNul = false;
    mutable std::unordered_map<std::u16string, CIniKeyTable, CIniNameHash, CIniNameEqual>
        m_sections;
    mutable std::u16string m_lastSection;
    mutable const CIniKeyTable* m_lastKeys = nullptr;
};

} // namespace platform
