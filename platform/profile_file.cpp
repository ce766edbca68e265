#include "platform/profile_file.h"

#include "platform/atomic_file.h"

#include <algorithm>

namespace platform {
namespace {

std::u16string_view TrimTrailingBlanks(std::u16string_view text) {
    while (!text.empty() && IsIniBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

void AssignAsBufferHoldsIt(std::u16string_view text, std::uint32_t bufferSize,
                           std::u16string& value) {
    if (bufferSize == 0) {
        value.clear();
        return;
    }
    value.assign(
        text.substr(0, std::min<size_t>(FindEitherUnit(text, 0, u'\0', u'\0'), bufferSize - 1)));
}

} // namespace

CProfileFile::CProfileFile(const std::filesystem::path& path)
    : m_text(DecodeIniBytes(ReadWholeFile(path, kMaxBytes).value_or(std::string{})).text) {
    const std::u16string_view text = m_text;
    CIniLineCursor<char16_t> lines(text);
    for (std::u16string_view line; lines.Next(line);) {
        if (TrimIniBlanks(line).starts_with(u'[')) {
            m_headers.push_back(static_cast<size_t>(line.data() - text.data()));
        }
    }
}

const CIniKeyTable& CProfileFile::SectionKeys(std::u16string_view section) const {
    section = TrimIniBlanks(section);
    const auto cached = m_sections.find(section);
    if (cached != m_sections.end()) {
        return cached->second;
    }
    CIniKeyTable& keys = m_sections[std::u16string(section)];
    for (const size_t header : m_headers) {
        CIniLineCursor<char16_t> lines(std::u16string_view(m_text).substr(header));
        std::u16string_view line;
        lines.Next(line);
        if (!IniNamesMatch(ParseIniLine(line).name, section)) {
            continue;
        }
        while (lines.Next(line)) {
            const CIniLineParts parts = ParseIniLine(line);
            if (parts.kind == CIniLineParts::Kind::Section) {
                break;
            }
            if (parts.kind == CIniLineParts::Kind::Key) {
                keys.Add(parts.name, parts.value);
            }
        }
        break; // only the first section of a name is read
    }
    return keys;
}

void CProfileFile::GetStringInto(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view defaultValue, std::uint32_t bufferSize,
                                 std::u16string& value) const {
    // A load asks for many keys of one section in a row.
    if (m_lastKeys == nullptr || !SameUnits(section, m_lastSection)) {
        m_lastKeys = &SectionKeys(section);
        m_lastSection = section;
    }
    const auto found = m_lastKeys->Find(TrimIniBlanks(key));
    AssignAsBufferHoldsIt(found ? *found : TrimTrailingBlanks(defaultValue), bufferSize, value);
}

} // namespace platform
