#pragma once
#include "platform/ini_syntax.h"

#include <cstdint>
#include <filesystem>
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
    virtual std::u16string GetString(std::u16string_view section, std::u16string_view key,
                                     std::u16string_view defaultValue,
                                     std::uint32_t bufferSize) const = 0;
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
    // A file that is missing or cannot be read is taken as empty. Only its
    // first kMaxBytes are read, so that no device or giant file can
    // exhaust memory; a settings file is a few kilobytes.
    explicit CProfileFile(const std::filesystem::path& path);
    // The gathered keys point into the text.
    CProfileFile(const CProfileFile&) = delete;
    CProfileFile& operator=(const CProfileFile&) = delete;

    // The value, or the default without its trailing blanks, as a buffer of
    // bufferSize units holds it: up to its first NUL and at most
    // bufferSize - 1 units.
    std::u16string GetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view defaultValue,
                             std::uint32_t bufferSize) const override;

    static constexpr size_t kMaxBytes = 16 * 1024 * 1024;

private:
    // The first key of each name in the first section of a name.
    using CSectionValues =
        std::unordered_map<std::u16string_view, std::u16string_view, CIniNameHash, CIniNameEqual>;
    const CSectionValues& SectionValues(std::u16string_view section) const;

    std::u16string m_text;
    // Where each section's header line starts in the text.
    std::vector<size_t> m_headers;
    mutable std::unordered_map<std::u16string, CSectionValues, CIniNameHash, CIniNameEqual>
        m_sections;
    mutable std::u16string m_lastSection;
    mutable const CSectionValues* m_lastValues = nullptr;
};

} // namespace platform
