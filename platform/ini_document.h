#pragma once
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
    enum class Encoding { Ansi, Utf16Le };

    // Bytes of a file: UTF-16LE when they start with its byte order mark,
    // otherwise text in the ANSI code page.
    static CIniDocument FromBytes(std::string_view bytes);

    // The value of the first matching key in the first matching section,
    // blanks and one pair of enclosing quotes removed.
    std::optional<std::u16string> GetValue(std::u16string_view section,
                                           std::u16string_view key) const;

    bool HasSection(std::u16string_view section) const { return FindSection(section).has_value(); }
    // Adds an empty section at the end unless it exists.
    void AddSection(std::u16string_view section);
    // The values of one section gathered for many lookups, each answered as
    // GetValue answers it.
    class CSectionValues {
    public:
        std::optional<std::u16string> Find(std::u16string_view key) const;

    private:
        friend class CIniDocument;
        std::unordered_map<std::u16string, std::u16string> m_values; // by folded name
    };
    CSectionValues SectionValues(std::u16string_view section) const;

    void SetValue(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    void DeleteKey(std::u16string_view section, std::u16string_view key);
    void DeleteSection(std::u16string_view section);

    // Every line ends in CRLF; the encoding is the one the file was read in.
    std::string ToBytes() const;

private:
    struct CLine {
        std::u16string text;
        // The bytes of a line read from an ANSI file, written back as they
        // were while the line is not changed: a character the code page
        // cannot map back never turns into "?" in a line nobody touched.
        std::optional<std::string> original;
        bool isSection = false;
        bool isKey = false;
        std::u16string name; // trimmed section or key name
        std::u16string value;
    };

    static CLine ParseLine(std::u16string text);
    std::optional<size_t> FindSection(std::u16string_view section) const;
    size_t SectionEnd(size_t header) const;
    std::optional<size_t> FindKey(size_t header, std::u16string_view key) const;

    std::vector<CLine> m_lines;
    Encoding m_encoding = Encoding::Ansi;
};

} // namespace platform
