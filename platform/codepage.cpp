#include "platform/codepage.h"

#include "platform/lcid.h"

#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

std::optional<unsigned> g_ansiOverride;
std::optional<unsigned> g_oemOverride;

constexpr char kDefaultCharacter = '?';
constexpr char16_t kReplacementCharacter = u'\uFFFD';

constexpr unsigned kUtf16Le = 1200;
constexpr unsigned kUtf8 = 65001;

std::string IconvName(unsigned codePage) {
    switch (codePage) {
    case kUtf16Le:
        return "UTF-16LE";
    case kUtf8:
        return "UTF-8";
    default:
        return "CP" + std::to_string(codePage);
    }
}

// An iconv descriptor that is closed on every path.
class CConverter {
public:
    CConverter(const std::string& to, const std::string& from)
        : m_handle(iconv_open(to.c_str(), from.c_str())) {}
    ~CConverter() {
        if (IsOpen()) {
            iconv_close(m_handle);
        }
    }
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;

    bool IsOpen() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns false at input it cannot convert
    // (EILSEQ or a truncated sequence), with in/inLeft at that input.
    bool Convert(char*& in, size_t& inLeft, std::string& out) {
        char buffer[256];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(m_handle, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr);
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                return false;
            }
        }
        return true;
    }

private:
    iconv_t m_handle;
};

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char16_t UnitAt(const char* littleEndian) {
    return static_cast<char16_t>(static_cast<unsigned char>(littleEndian[0]) |
                                 static_cast<unsigned char>(littleEndian[1]) << 8);
}

} // namespace

unsigned GetACP() {
    return g_ansiOverride.value_or(DefaultCodePagesForLcid(GetUserDefaultLCID()).ansi);
}

unsigned GetOEMCP() {
    return g_oemOverride.value_or(DefaultCodePagesForLcid(GetUserDefaultLCID()).oem);
}

void OverrideCodePages(std::optional<unsigned> ansi, std::optional<unsigned> oem) {
    g_ansiOverride = ansi;
    g_oemOverride = oem;
}

std::string WideToMultiByte(unsigned codePage, std::u16string_view text) {
    CConverter converter(IconvName(codePage), "UTF-16LE");
    std::string out;
    if (!converter.IsOpen()) {
        out.assign(text.size(), kDefaultCharacter);
        return out;
    }
    // iconv reads bytes; UTF-16 code units are little-endian on every target we build for.
    std::u16string copy(text);
    char* in = reinterpret_cast<char*>(copy.data());
    size_t inLeft = copy.size() * sizeof(char16_t);
    while (!converter.Convert(in, inLeft, out)) {
        // Skip the whole character the code page lacks: a surrogate pair or one unit.
        const bool isPair =
            inLeft >= 4 && IsHighSurrogate(UnitAt(in)) && IsLowSurrogate(UnitAt(in + 2));
        const size_t skip = isPair ? 4 : 2;
        in += skip;
        inLeft -= skip;
        out.push_back(kDefaultCharacter);
    }
    return out;
}

std::u16string MultiByteToWide(unsigned codePage, std::string_view bytes) {
    CConverter converter("UTF-16LE", IconvName(codePage));
    std::u16string result;
    if (!converter.IsOpen()) {
        result.assign(bytes.size(), kReplacementCharacter);
        return result;
    }
    std::string copy(bytes);
    char* in = copy.data();
    size_t inLeft = copy.size();
    std::string out;
    while (!converter.Convert(in, inLeft, out)) {
        ++in;
        --inLeft;
        out.append("\xFD\xFF", 2); // U+FFFD, little-endian
    }
    result.resize(out.size() / 2);
    for (size_t i = 0; i < result.size(); ++i) {
        result[i] = UnitAt(&out[2 * i]);
    }
    return result;
}

} // namespace platform
