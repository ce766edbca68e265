#include "authlevel/smb_conf_include.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

namespace {

enum class LineKind { Blank, Comment, Section, Parameter };

// One line as Samba reads it: a parameter ending in a backslash goes on in
// the next line, and both count as one.
struct CConfigLine {
    LineKind kind;
    std::string_view text; // its first line, without the line end
    size_t end;            // offset just after its last line end
};

struct CPhysicalLine {
    std::string_view text;
    size_t next;
};

CPhysicalLine PhysicalLineAt(std::string_view config, size_t begin) {
    const size_t newline = std::min(config.find('\n', begin), config.size());
    std::string_view text = config.substr(begin, newline - begin);
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    return {text, std::min(newline + 1, config.size())};
}

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

LineKind KindOf(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        return LineKind::Blank;
    }
    if (trimmed.front() == '#' || trimmed.front() == ';') {
        return LineKind::Comment;
    }
    return trimmed.front() == '[' ? LineKind::Section : LineKind::Parameter;
}

std::vector<CConfigLine> SplitLines(std::string_view config) {
    std::vector<CConfigLine> lines;
    size_t begin = 0;
    while (begin < config.size()) {
        CPhysicalLine physical = PhysicalLineAt(config, begin);
        const LineKind kind = KindOf(physical.text);
        const std::string_view text = physical.text;
        while (kind == LineKind::Parameter && physical.text.ends_with('\\') &&
               physical.next < config.size()) {
            physical = PhysicalLineAt(config, physical.next);
        }
        lines.push_back({kind, text, physical.next});
        begin = physical.next;
    }
    return lines;
}

// Samba matches names without regard to case or blanks.
std::string CanonicalName(std::string_view name) {
    std::string canonical;
    for (const char c : name) {
        if (c != ' ' && c != '\t') {
            canonical += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return canonical;
}

// Samba takes "globals" for "global" too.
bool IsGlobalSection(std::string_view header) {
    std::string_view name = Trim(header).substr(1);
    name = name.substr(0, name.find(']'));
    const std::string canonical = CanonicalName(name);
    return canonical == "global" || canonical == "globals";
}

struct CSetting {
    std::string name;
    std::string_view value;
};

CSetting SettingOf(std::string_view parameter) {
    const size_t equals = parameter.find('=');
    if (equals == std::string_view::npos) {
        return {CanonicalName(parameter), {}};
    }
    return {CanonicalName(parameter.substr(0, equals)), Trim(parameter.substr(equals + 1))};
}

bool NamesFile(std::string_view value, std::string_view file) {
    return std::filesystem::path(value).lexically_normal() ==
           std::filesystem::path(file).lexically_normal();
}

std::string_view Indentation(std::string_view text) {
    return text.substr(0, text.find_first_not_of(" \t"));
}

// The file's own line end: that of its first line.
std::string_view LineEndOf(std::string_view config) {
    const size_t newline = config.find('\n');
    return newline != std::string_view::npos && newline > 0 && config[newline - 1] == '\r' ? "\r\n"
                                                                                           : "\n";
}

} // namespace

std::string AddIncludeToGlobalSection(std::string_view config, std::string_view includedFile) {
    // Settings above the first section are global as well.
    bool inGlobal = true;
    bool hasGlobalSection = false;
    // An included file may end in another section, and Samba reads on there.
    bool afterInclude = false;
    size_t insertAt = 0;
    std::string_view indent;
    for (const CConfigLine& line : SplitLines(config)) {
        if (line.kind == LineKind::Section) {
            inGlobal = IsGlobalSection(line.text);
            if (inGlobal) {
                hasGlobalSection = true;
                afterInclude = false;
                insertAt = line.end;
                indent = {};
            }
        } else if (inGlobal && line.kind == LineKind::Parameter) {
            const CSetting setting = SettingOf(line.text);
            if (setting.name == "include") {
                if (NamesFile(setting.value, includedFile)) {
                    return std::string(config);
                }
                afterInclude = true;
            }
            // After the last setting, so that comments introducing the
            // next section stay with it.
            insertAt = line.end;
            indent = Indentation(line.text);
        }
    }

    const std::string_view lineEnd = LineEndOf(config);
    std::string addition;
    std::string_view lineBefore = config.substr(0, insertAt);
    if (lineBefore.ends_with('\n')) {
        lineBefore.remove_suffix(1);
    } else if (!lineBefore.empty()) {
        addition += lineEnd;
    }
    if (lineBefore.ends_with('\r')) {
        lineBefore.remove_suffix(1);
    }
    // A line ending in a backslash goes on into the next one, which would
    // take the include into its value: it gets an empty line to go on into.
    if (lineBefore.ends_with('\\')) {
        addition += lineEnd;
    }
    if (!hasGlobalSection || afterInclude) {
        addition.append("[global]").append(lineEnd);
    }
    addition.append(indent).append("include = ").append(includedFile).append(lineEnd);
    std::string result(config);
    result.insert(insertAt, addition);
    return result;
}
