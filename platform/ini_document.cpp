#include "platform/ini_document.h"

#include "platform/codepage.h"

#include <utility>

namespace platform {
namespace {

// name=value, built in one allocation.
bool HasLineBreak(std::u16string_view text) {
    return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

std::u16string KeyLineText(std::u16string_view name, std::u16string_view value) {
    std::u16string text;
    text.reserve(name.size() + 1 + value.size());
    text.append(name).append(1, u'=').append(value);
    return text;
}

} // namespace

CIniDocument CIniDocument::FromBytes(std::string_view bytes) {
    CIniDocument document;
    CIniText decoded = DecodeIniBytes(bytes);
    document.m_encoding = decoded.encoding;
    std::vector<CLine> lines;
    CIniLineCursor<char16_t> textLines(decoded.text);
    for (std::u16string_view line; textLines.Next(line);) {
        lines.push_back(ParseLine(std::u16string(line)));
    }
    decoded.text.clear();
    if (document.m_encoding == EIniEncoding::Ansi) {
        std::vector<std::string_view> originals;
        CIniLineCursor<char> byteLines(bytes);
        for (std::string_view line; byteLines.Next(line);) {
            originals.push_back(line);
        }
        if (originals.size() == lines.size()) {
            for (size_t i = 0; i < originals.size(); ++i) {
                lines[i].original.emplace(originals[i]);
            }
        }
    }
    for (auto& line : lines) {
        if (line.kind == CIniLineParts::Kind::Section) {
            document.m_blocks.emplace_back();
        }
        document.m_blocks.back().lines.push_back(std::move(line));
    }
    for (auto& block : document.m_blocks) {
        block.IndexKeys();
    }
    document.IndexSections();
    return document;
}

CIniDocument::CLine CIniDocument::ParseLine(std::u16string text) {
    const CIniLineParts parts = ParseIniLine(text);
    // A line without a name or value (a comment, a blank line) has views
    // that point nowhere; they count as empty at the start.
    const auto offsetOf = [&text](std::u16string_view part) {
        return part.data() == nullptr ? 0 : static_cast<size_t>(part.data() - text.data());
    };
    CLine line;
    line.kind = parts.kind;
    line.nameAt = offsetOf(parts.name);
    line.nameLength = parts.name.size();
    line.valueAt = offsetOf(parts.value);
    line.valueLength = parts.value.size();
    line.text = std::move(text);
    return line;
}

void CIniDocument::CBlock::IndexKeys() {
    keys.clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == CIniLineParts::Kind::Key) {
            keys.emplace(lines[i].Name(), i); // the first key of a name is the one found
        }
    }
}

std::optional<size_t> CIniDocument::CBlock::FindKey(std::u16string_view key) const {
    const auto found = keys.find(TrimIniBlanks(key));
    if (found == keys.end()) {
        return std::nullopt;
    }
    return found->second;
}

void CIniDocument::IndexSections() {
    m_sections.clear();
    m_lastFound = 0;
    for (size_t i = 1; i < m_blocks.size(); ++i) {
        m_sections.emplace(m_blocks[i].lines.front().Name(), i);
    }
}

const CIniDocument::CBlock* CIniDocument::FindSection(std::u16string_view section) const {
    section = TrimIniBlanks(section);
    // A writer sets many keys of one section in a row.
    if (m_lastFound != 0 && IniNamesMatch(m_blocks[m_lastFound].lines.front().Name(), section)) {
        return &m_blocks[m_lastFound];
    }
    const auto found = m_sections.find(section);
    if (found == m_sections.end()) {
        return nullptr;
    }
    m_lastFound = found->second;
    return &m_blocks[m_lastFound];
}

CIniDocument::CBlock* CIniDocument::FindSection(std::u16string_view section) {
    return const_cast<CBlock*>(std::as_const(*this).FindSection(section));
}

std::optional<std::u16string> CIniDocument::GetValue(std::u16string_view section,
                                                     std::u16string_view key) const {
    const CBlock* block = FindSection(section);
    if (block == nullptr) {
        return std::nullopt;
    }
    const auto line = block->FindKey(key);
    if (!line) {
        return std::nullopt;
    }
    return std::u16string(block->lines[*line].Value());
}

bool CIniDocument::Carries(std::u16string_view name) const {
    if (m_encoding == EIniEncoding::Utf16Le || m_encoding == EIniEncoding::Utf16Be) {
        return true;
    }
    return IsHeldByCodePage(m_encoding == EIniEncoding::Utf8 ? kUtf8CodePage : GetACP(), name);
}

CIniDocument::CBlock* CIniDocument::SectionForWriting(std::u16string_view section) {
    if (CBlock* block = FindSection(section)) {
        return block;
    }
    CLine header = ParseLine(u"[" + std::u16string(TrimIniBlanks(section)) + u"]");
    if (HasLineBreak(section) || !Carries(section) || header.kind != CIniLineParts::Kind::Section ||
        header.Name() != TrimIniBlanks(section)) {
        return nullptr;
    }
    CBlock block;
    block.lines.push_back(std::move(header));
    m_blocks.push_back(std::move(block));
    m_sections.emplace(m_blocks.back().lines.front().Name(), m_blocks.size() - 1);
    return &m_blocks.back();
}

bool CIniDocument::AddSection(std::u16string_view section) {
    return SectionForWriting(section) != nullptr;
}

bool CIniDocument::SetValue(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) {
    if (HasLineBreak(key) || HasLineBreak(value) || !Carries(key)) {
        return false;
    }
    CLine added = ParseLine(KeyLineText(TrimIniBlanks(key), value));
    // A name that would read back as a comment, a header or another key
    // ("a=b") is not written: the file would not hold what was asked.
    if (added.kind != CIniLineParts::Kind::Key || added.Name() != TrimIniBlanks(key)) {
        return false;
    }
    CBlock* block = SectionForWriting(section);
    if (block == nullptr) {
        return false;
    }
    if (const auto line = block->FindKey(key)) {
        // The spelling of the name already in the file is kept.
        block->lines[*line] = ParseLine(KeyLineText(block->lines[*line].Name(), value));
        return true;
    }
    // After the last entry of the section, so blank lines before the next
    // header stay there; only blank lines move, so no key changes place.
    size_t insertAt = block->lines.size();
    while (insertAt > 1 && TrimIniBlanks(block->lines[insertAt - 1].text).empty()) {
        --insertAt;
    }
    block->lines.insert(block->lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                        std::move(added));
    block->keys.emplace(block->lines[insertAt].Name(), insertAt);
    return true;
}

std::string CIniDocument::ToBytes() const {
    // The text is built in one allocation: growing it line by line costs
    // more than the conversion.
    size_t units = 0;
    for (const auto& block : m_blocks) {
        for (const auto& line : block.lines) {
            units += line.text.size() + 2;
        }
    }
    std::u16string text;
    text.reserve(units);
    if (m_encoding != EIniEncoding::Ansi) {
        for (const auto& block : m_blocks) {
            for (const auto& line : block.lines) {
                text += line.text;
                text += u"\r\n";
            }
        }
        return EncodeIniText(text, m_encoding);
    }
    // Runs of new or changed lines are converted together; lines as read
    // are copied.
    std::string bytes;
    for (const auto& block : m_blocks) {
        for (const auto& line : block.lines) {
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
    }
    return bytes + WideToMultiByte(GetACP(), text);
}

} // namespace platform
