#include "platform/profile_file.h"

namespace platform {
namespace {

std::u16string_view TrimTrailingBlanks(std::u16string_view text) {
    while (!text.empty() && IsIniBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::u16string_view UpToNul(std::u16string_view text) {
    return text.substr(0, FindEitherUnit(text, 0, u'\0', u'\0'));
}

// Sizes a section's table from its length; a guess too small only grows it.
constexpr size_t kTypicalKeyLineUnits = 32;

} // namespace

CProfileFile::CProfileFile(std::string_view bytes) : m_text(DecodeIniBytes(bytes).text) {
    // A header line starts with '[' after any blanks: the text is searched
    // for brackets, not walked line by line, and for NULs on the way.
    const std::u16string_view text = m_text;
    for (size_t found = FindEitherUnit(text, 0, u'[', u'\0'); found < text.size();
         found = FindEitherUnit(text, found + 1, u'[', u'\0')) {
        if (text[found] == u'\0') {
            m_holdsNul = true;
            continue;
        }
        size_t lineStart = found;
        while (lineStart > 0 && IsIniBlank(text[lineStart - 1])) {
            --lineStart;
        }
        if (lineStart == 0 || text[lineStart - 1] == u'\r' || text[lineStart - 1] == u'\n') {
            m_headers.push_back(lineStart);
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
    for (size_t i = 0; i < m_headers.size(); ++i) {
        const size_t end = i + 1 < m_headers.size() ? m_headers[i + 1] : m_text.size();
        CIniLineCursor<char16_t> lines(std::u16string_view(m_text).substr(m_headers[i]));
        std::u16string_view line;
        lines.Next(line);
        // A line that starts with "[" but has no "]" is no header.
        const CIniLineParts header = ParseIniLine(line);
        if (header.kind != CIniLineParts::Kind::Section || !IniNamesMatch(header.name, section)) {
            continue;
        }
        keys.Reserve((end - m_headers[i]) / kTypicalKeyLineUnits);
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
    std::u16string_view text = found ? *found : TrimTrailingBlanks(defaultValue);
    if (!found || m_holdsNul) {
        text = UpToNul(text);
    }
    if (bufferSize == 0) {
        value.clear();
        return;
    }
    value.assign(text.substr(0, bufferSize - 1));
}

} // namespace platform
