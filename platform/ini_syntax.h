#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace platform {

// How a line of an INI file reads, by the rules of the Windows private
// profile functions: shared by the document that edits a file and the
// reader that only looks values up.

// Blanks as the profile functions trim them: space, tab, vertical tab, form
// feed, and Ctrl-Z, the old end-of-file mark.
inline bool IsIniBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == u'\x1A';
}

// A value as reading gives it back: without blanks around it and without one
// pair of enclosing quotes.
std::u16string_view IniValueAsRead(std::u16string_view value);

inline std::u16string_view TrimIniBlanks(std::u16string_view text) {
    while (!text.empty() && IsIniBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsIniBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Names match without regard to the case of ASCII letters.
inline char16_t FoldIniCase(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }

bool IniNamesMatch(std::u16string_view a, std::u16string_view b);
// Equal unit for unit; inline, as a load compares names hundreds of times.
inline bool SameUnits(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    // Four units a step: names are short, and comparing them so costs less
    // than a call to memcmp, let alone the character traits' unit by unit.
    constexpr size_t kWordUnits = sizeof(std::uint64_t) / sizeof(char16_t);
    size_t i = 0;
    for (; i + kWordUnits <= a.size(); i += kWordUnits) {
        std::uint64_t first;
        std::uint64_t second;
        std::memcpy(&first, a.data() + i, sizeof first);
        std::memcpy(&second, b.data() + i, sizeof second);
        if (first != second) {
            return false;
        }
    }
    for (; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// For maps keyed by names as they match.
struct CIniNameHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view name) const;
};
struct CIniNameEqual {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const {
        return IniNamesMatch(a, b);
    }
};

struct CIniLineParts {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    std::u16string_view name;  // trimmed
    std::u16string_view value; // trimmed, one pair of enclosing quotes removed
};

// A line without its ending.
CIniLineParts ParseIniLine(std::u16string_view line);

// Where the first of two units is at or after from; the size if neither is.
// Many units are compared at a time, as a load scans every unit of a file.
size_t FindEitherUnit(std::u16string_view text, size_t from, char16_t a, char16_t b);

// Walks the lines of a text, each without its ending: CRLF, LF or CR. A
// last line without an ending still counts. Those bytes mean the same in
// every ANSI code page, so the lines of bytes and of their text correspond.
template <typename Char> class CIniLineCursor {
public:
    explicit CIniLineCursor(std::basic_string_view<Char> text) : m_text(text) {}

    // False after the last line.
    bool Next(std::basic_string_view<Char>& line) {
        if (m_next >= m_text.size()) {
            return false;
        }
        size_t end = m_next;
        if constexpr (std::is_same_v<Char, char16_t>) {
            end = FindEitherUnit(m_text, end, u'\r', u'\n');
        } else {
            while (end < m_text.size() && m_text[end] != '\r' && m_text[end] != '\n') {
                ++end;
            }
        }
        line = m_text.substr(m_next, end - m_next);
        const bool crlf =
            end + 1 < m_text.size() && m_text[end] == Char('\r') && m_text[end + 1] == Char('\n');
        m_next = end + (crlf ? 2 : 1);
        return true;
    }

private:
    std::basic_string_view<Char> m_text;
    size_t m_next = 0;
};

// How a file's text is stored: by its byte order mark, UTF-8, UTF-16LE or
// UTF-16BE; without one, the ANSI code page.
enum class EIniEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct CIniText {
    std::u16string text;
    EIniEncoding encoding = EIniEncoding::Ansi;
};
// A last byte of a UTF-16 file that is no whole unit is left out, as the
// profile functions leave it.
CIniText DecodeIniBytes(std::string_view bytes);
// The bytes of a file in an encoding with a byte order mark: the mark, then
// the text.
std::string EncodeIniText(std::u16string_view text, EIniEncoding encoding);

} // namespace platform
