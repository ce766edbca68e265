#pragma once
#include "platform/ini_syntax.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

// An INI file held in memory, read and changed by the rules of the Windows
// private profile functions. Lines it does not touch are kept as they were.
class CIniDocument {
public:
    // Bytes of a file: UTF-8, UTF-16LE or UTF-16BE by their byte order mark,
    // otherwise text in the ANSI code page; written back the same way.
    static CIniDocument FromBytes(std::string_view bytes);

    // The value of the first matching key in the first matching section,
    // blanks and one pair of enclosing quotes removed.
    std::optional<std::u16string> GetValue(std::u16string_view section,
                                           std::u16string_view key) const;

    bool HasSection(std::u16string_view section) const { return FindSection(section) != nullptr; }
    // Adds an empty section at the end unless it exists. False, and nothing
    // added, for a name that would not read back as itself ("a]b", a line
    // break, a character the ANSI code page of an ANSI file lacks).
    bool AddSection(std::u16string_view section);

    // False, and nothing changed, when the file could not hold what is asked:
    // a section or key name that would not read back as itself (";k", "[k",
    // "a=b", a character the ANSI code page of an ANSI file lacks), or a line
    // break anywhere, which would split the line. A value keeps the rules of
    // the profile functions: what the code page lacks is written as it maps.
    bool SetValue(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    // Every line ends in CRLF; the encoding is the one the file was read in.
    std::string ToBytes() const;

private:
    struct CLine {
        std::u16string text;
        // The bytes of a line read from an ANSI file, written back as they
        // were while the line is not changed: a character the code page
        // cannot map back never turns into "?" in a line nobody touched.
        std::optional<std::string> original;
        CIniLineParts::Kind kind = CIniLineParts::Kind::Other;
        // Where the trimmed section or key name and the value are in text.
        size_t nameAt = 0;
        size_t nameLength = 0;
        size_t valueAt = 0;
        size_t valueLength = 0;

        std::u16string_view Name() const { return Part(nameAt, nameLength); }
        std::u16string_view Value() const { return Part(valueAt, valueLength); }

    private:
        std::u16string_view Part(size_t at, size_t length) const {
            return std::u16string_view(text).substr(at, length);
        }
    };

    // A header and the lines up to the next one; the first block holds the
    // lines before any header and has none.
    struct CBlock {
        std::vector<CLine> lines;
        // The first key line of each name, so that writing a whole file is
        // not quadratic in the size of a section.
        std::unordered_map<std::u16string, size_t, CIniNameHash, CIniNameEqual> keys;

        void IndexKeys();
        std::optional<size_t> FindKey(std::u16string_view key) const;
    };

    static CLine ParseLine(std::u16string text);
    // Whether a name comes back unchanged from the file's encoding.
    bool Carries(std::u16string_view name) const;
    const CBlock* FindSection(std::u16string_view section) const;
    CBlock* FindSection(std::u16string_view section);
    // The first section of the name, added at the end if there is none;
    // null when the name cannot be a section's.
    CBlock* SectionForWriting(std::u16string_view section);
    void IndexSections();

    std::vector<CBlock> m_blocks = std::vector<CBlock>(1);
    // The first section of each name, by index into m_blocks.
    std::unordered_map<std::u16string, size_t, CIniNameHash, CIniNameEqual> m_sections;
    // The section found last, by index into m_blocks; 0, the block before
    // any header, for none.
    mutable size_t m_lastFound = 0;
    EIniEncoding m_encoding = EIniEncoding::Ansi;
};

} // namespace platform
