#include "platform/ini_document.h"

#include "platform/codepage.h"

#include <algorithm>

namespace platform {
namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr unsigned kUtf16LeCodePage = 1200;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char16_t FoldCase(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }

bool NamesMatch(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

// A name as lookups compare it.
std::u16string FoldedName(std::u16string_view name) {
    std::u16string folded(Trim(name));
    for (auto& c : folded) {
        c = FoldCase(c);
    }
    return folded;
}

std::u16string_view StripQuotes(std::u16string_view value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Splits on CRLF, LF or CR; a last line without an ending still counts.
// Those bytes mean the same in every ANSI code page, so the lines of the
// bytes and of their text correspond one to one.
template <typename Char>
std::vector<std::basic_string<Char>> SplitLines(std::basic_string_view<Char> text) {
    std::vector<std::basic_string<Char>> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == Char('\r') || text[i] == Char('\n')) {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

} // namespace

CIniDocument CIniDocument::FromBytes(std::string_view bytes) {
    CIniDocument document;
    std::u16string text;
    if (bytes.starts_with(kUtf16LeBom)) {
        document.m_encoding = Encoding::Utf16Le;
        text = MultiByteToWide(kUtf16LeCodePage, bytes.substr(kUtf16LeBom.size()));
    } else {
        text = MultiByteToWide(GetACP(), bytes);
    }
    for (auto& line : SplitLines<char16_t>(text)) {
        document.m_lines.push_back(ParseLine(std::move(line)));
    }
    if (document.m_encoding == Encoding::Ansi) {
        auto originals = SplitLines<char>(bytes);
        if (originals.size() == document.m_lines.size()) {
            for (size_t i = 0; i < originals.size(); ++i) {
                document.m_lines[i].original = std::move(originals[i]);
            }
        }
    }
    return document;
}

CIniDocument::CLine CIniDocument::ParseLine(std::u16string text) {
    CLine line;
    const std::u16string_view content = Trim(text);
    if (content.starts_with(u'[')) {
        const size_t close = content.find(u']');
        line.isSection = true;
        line.name = Trim(content.substr(
            1, close == std::u16string_view::npos ? std::u16string_view::npos : close - 1));
    } else if (!content.starts_with(u';')) {
        const size_t equals = content.find(u'=');
        if (equals != std::u16string_view::npos) {
            line.isKey = true;
            line.name = Trim(content.substr(0, equals));
            line.value = StripQuotes(Trim(content.substr(equals + 1)));
        }
    }
    line.text = std::move(text);
    return line;
}

std::optional<size_t> CIniDocument::FindSection(std::u16string_view section) const {
    const std::u16string_view name = Trim(section);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].isSection && NamesMatch(m_lines[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

size_t CIniDocument::SectionEnd(size_t header) const {
    size_t end = header + 1;
    while (end < m_lines.size() && !m_lines[end].isSection) {
        ++end;
    }
    return end;
}

std::optional<size_t> CIniDocument::FindKey(size_t header, std::u16string_view key) const {
    const std::u16string_view name = Trim(key);
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        if (m_lines[i].isKey && NamesMatch(m_lines[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::u16string> CIniDocument::GetValue(std::u16string_view section,
                                                     std::u16string_view key) const {
    const auto header = FindSection(section);
    if (!header) {
        return std::nullopt;
    }
    const auto line = FindKey(*header, key);
    if (!line) {
        return std::nullopt;
    }
    return m_lines[*line].value;
}

void CIniDocument::AddSection(std::u16string_view section) {
    if (!FindSection(section)) {
        m_lines.push_back(ParseLine(u"[" + std::u16string(Trim(section)) + u"]"));
    }
}

std::optional<std::u16string> CIniDocument::CSectionValues::Find(std::u16string_view key) const {
    const auto found = m_values.find(FoldedName(key));
    if (found == m_values.end()) {
        return std::nullopt;
    }
    return found->second;
}

CIniDocument::CSectionValues CIniDocument::SectionValues(std::u16string_view section) const {
    CSectionValues values;
    if (const auto header = FindSection(section)) {
        const size_t end = SectionEnd(*header);
        for (size_t i = *header + 1; i < end; ++i) {
            if (m_lines[i].isKey) {
                // The first key of a name is the one found.
                values.m_values.emplace(FoldedName(m_lines[i].name), m_lines[i].value);
            }
        }
    }
    return values;
}

void CIniDocument::SetValue(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) {
    AddSection(section);
    const auto header = FindSection(section);
    if (const auto line = FindKey(*header, key)) {
        // The spelling of the name already in the file is kept.
        m_lines[*line] = ParseLine(m_lines[*line].name + u"=" + std::u16string(value));
        return;
    }
    // After the last entry of the section, so blank lines before the next header stay there.
    size_t insertAt = *header + 1;
    const size_t end = SectionEnd(*header);
    for (size_t i = *header + 1; i < end; ++i) {
        if (!Trim(m_lines[i].text).empty()) {
            insertAt = i + 1;
        }
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   ParseLine(std::u16string(Trim(key)) + u"=" + std::u16string(value)));
}

void CIniDocument::DeleteKey(std::u16string_view section, std::u16string_view key) {
    if (const auto header = FindSection(section)) {
        if (const auto line = FindKey(*header, key)) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*line));
        }
    }
}

void CIniDocument::DeleteSection(std::u16string_view section) {
    if (const auto header = FindSection(section)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*header)));
    }
}

std::string CIniDocument::ToBytes() const {
    std::u16string text;
    if (m_encoding == Encoding::Utf16Le) {
        for (const auto& line : m_lines) {
            text += line.text;
            text += u"\r\n";
        }
        return std::string(kUtf16LeBom) + WideToMultiByte(kUtf16LeCodePage, text);
    }
    // Runs of new or changed lines are converted together; lines as read
    // are copied.
    std::string bytes;
    for (const auto& line : m_lines) {
        if (!line.original) {
            text += line.text;
            text += u"\r\n";
            continue;
        }
        bytes += WideToMultiByte(GetACP(), text);
        text.clear();
        bytes += *line.original;
        bytes += "\r\n";
    }
    return bytes + WideToMultiByte(GetACP(), text);
}

} // namespace platform
