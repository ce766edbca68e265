#include "platform/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace {

class CodePageTest : public ::testing::Test {
protected:
    void TearDown() override { platform::OverrideCodePages(std::nullopt, std::nullopt); }
};

TEST_F(CodePageTest, DefaultsFollowTheLocaleAndTestsCanOverride) {
    ::setenv("LC_ALL", "ru_RU.UTF-8", 1);
    EXPECT_EQ(platform::GetACP(), 1251u);
    EXPECT_EQ(platform::GetOEMCP(), 866u);
    platform::OverrideCodePages(1252, 850);
    EXPECT_EQ(platform::GetACP(), 1252u);
    EXPECT_EQ(platform::GetOEMCP(), 850u);
    ::unsetenv("LC_ALL");
}

TEST_F(CodePageTest, EveryTraditionalChineseLocaleUsesBig5) {
    for (const char* locale : {"zh_TW.UTF-8", "zh_HK.UTF-8", "zh_MO.UTF-8"}) {
        ::setenv("LC_ALL", locale, 1);
        EXPECT_EQ(platform::GetACP(), 950u) << locale;
        EXPECT_EQ(platform::GetOEMCP(), 950u) << locale;
    }
    ::setenv("LC_ALL", "zh_CN.UTF-8", 1);
    EXPECT_EQ(platform::GetACP(), 936u) << "simplified Chinese is not one of them";
    ::unsetenv("LC_ALL");
}

TEST_F(CodePageTest, WesternTextRoundTrips) {
    const std::u16string text = u"Caf\u00e9 \u00fcber \u20ac5";
    const std::string bytes = platform::WideToMultiByte(1252, text);
    EXPECT_EQ(bytes, "Caf\xe9 \xfc"
                     "ber \x80"
                     "5");
    EXPECT_EQ(platform::MultiByteToWide(1252, bytes), text);
}

TEST_F(CodePageTest, MissingCharactersBecomeTheDefaultCharacter) {
    EXPECT_EQ(platform::WideToMultiByte(1252, u"\u30cd\u30c3\u30c8A"), "???A");
    // A character outside the basic plane is one character, not two.
    EXPECT_EQ(platform::WideToMultiByte(850, u"x\U0001F600y"), "x?y");
    // A lone surrogate cannot be converted at all.
    EXPECT_EQ(platform::WideToMultiByte(1252, std::u16string(1, u'\xD800') + u"z"), "?z");
    // The same through iconv, and the last character there is.
    EXPECT_EQ(platform::WideToMultiByte(932, std::u16string(1, u'\xD800') + u"z"), "?z");
    EXPECT_EQ(platform::WideToMultiByte(932, u"x\U0010FFFFy"), "x?y");
}

// A Unicode file cut after an odd byte: its last byte alone is no character.
TEST_F(CodePageTest, AnOddLastByteOfUtf16IsAReplacementCharacter) {
    EXPECT_EQ(platform::MultiByteToWide(platform::kUtf16LeCodePage, std::string("a\0b", 3)),
              u"a\uFFFD");
    EXPECT_EQ(platform::MultiByteToWide(platform::kUtf16LeCodePage, std::string("a\0", 2)), u"a");
}

TEST_F(CodePageTest, DoubleByteCodePages) {
    const std::u16string japanese = u"\u30cd\u30c3\u30c8";
    const std::string sjis = platform::WideToMultiByte(932, japanese);
    EXPECT_EQ(sjis.size(), 6u);
    EXPECT_EQ(platform::MultiByteToWide(932, sjis), japanese);
    EXPECT_EQ(platform::MultiByteToWide(936, platform::WideToMultiByte(936, u"\u7f51\u7edc")),
              u"\u7f51\u7edc");
}

TEST_F(CodePageTest, UndefinedAndTruncatedBytesDoNotStopTheConversion) {
    // 0x98 is undefined in 1251; a lone lead byte ends a Shift-JIS text.
    EXPECT_EQ(platform::MultiByteToWide(1251, "a\x98z"), u"a\uFFFDz");
    EXPECT_EQ(platform::MultiByteToWide(932, "ab\x83"), u"ab\uFFFD");
    // The next text starts afresh, not in the middle of the broken character.
    EXPECT_EQ(platform::MultiByteToWide(932, "\x83\x6c"), u"\u30cd");
    EXPECT_EQ(platform::MultiByteToWide(65001, "\xE3\x83"), u"\uFFFD\uFFFD");
    EXPECT_EQ(platform::MultiByteToWide(65001, "\xE3\x83\x8D"), u"\u30cd");
}

TEST_F(CodePageTest, EveryByteOfWindows1252ComesBackUnchanged) {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) {
        bytes.push_back(static_cast<char>(byte));
    }
    const std::u16string text = platform::MultiByteToWide(1252, bytes);
    EXPECT_EQ(text.find(u'\uFFFD'), std::u16string::npos);
    // Windows maps the five bytes glibc leaves out to the control characters of the same number.
    for (const char16_t control : {u'\x81', u'\x8D', u'\x8F', u'\x90', u'\x9D'}) {
        EXPECT_EQ(text[control], control);
    }
    EXPECT_EQ(platform::WideToMultiByte(1252, text), bytes);
}

TEST_F(CodePageTest, OemCodePagesOfTheirLocales) {
    EXPECT_EQ(platform::WideToMultiByte(850, u"\u00e9"), "\x82");
    EXPECT_EQ(platform::WideToMultiByte(866, u"\u0416"), "\x86");
    EXPECT_EQ(platform::WideToMultiByte(65001, u"\u00e9"), "\xc3\xa9");
}

// iconv's own answers, the reference the fast tables must match.
class CIconvReference {
public:
    CIconvReference(const std::string& to, const std::string& from)
        : m_handle(iconv_open(to.c_str(), from.c_str())) {}
    ~CIconvReference() { iconv_close(m_handle); }
    CIconvReference(const CIconvReference&) = delete;
    CIconvReference& operator=(const CIconvReference&) = delete;

    // Empty when iconv refuses the input.
    std::string Convert(std::string input) {
        char output[8];
        char* in = input.data();
        size_t inLeft = input.size();
        char* out = output;
        size_t outLeft = sizeof output;
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        const bool converted =
            iconv(m_handle, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
        return converted ? std::string(output, out) : std::string();
    }

private:
    iconv_t m_handle;
};

TEST_F(CodePageTest, LongTextsConvertAsTheirCharactersDoOneByOne) {
    // Runs of plain ASCII are widened and narrowed many at a time: every mix
    // of such runs and other characters, at every offset, must convert as
    // one by one.
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) {
        bytes += std::string(static_cast<size_t>(byte % 37), 'a' + byte % 26);
        bytes.push_back(static_cast<char>(byte));
    }
    for (const unsigned codePage : {437u, 850u, 852u, 865u, 866u, 1250u, 1251u, 1252u}) {
        for (size_t start = 0; start < 17; ++start) {
            const std::string_view text = std::string_view(bytes).substr(start);
            std::u16string oneByOne;
            for (const char byte : text) {
                oneByOne += platform::MultiByteToWide(codePage, std::string(1, byte));
            }
            ASSERT_EQ(platform::MultiByteToWide(codePage, text), oneByOne)
                << codePage << " from " << start;
            std::string backOneByOne;
            for (const char16_t unit : oneByOne) {
                backOneByOne += platform::WideToMultiByte(codePage, std::u16string(1, unit));
            }
            ASSERT_EQ(platform::WideToMultiByte(codePage, oneByOne), backOneByOne)
                << codePage << " from " << start;
        }
    }
}

TEST_F(CodePageTest, SingleByteCodePagesOfEveryLocaleConvertAsIconvDoes) {
    for (const unsigned codePage : {437u, 850u, 852u, 865u, 866u, 1250u, 1251u, 1252u}) {
        const std::string name = "CP" + std::to_string(codePage);
        CIconvReference toWide("UTF-16LE", name);
        CIconvReference fromWide(name, "UTF-16LE");
        for (int byte = 0; byte < 256; ++byte) {
            const std::string reference = toWide.Convert(std::string(1, byte));
            if (codePage == 1252 && reference.empty()) {
                continue; // Windows' five extra bytes, checked above
            }
            const char16_t expected =
                reference.empty()
                    ? u'\uFFFD'
                    : static_cast<char16_t>(static_cast<unsigned char>(reference[0]) |
                                            static_cast<unsigned char>(reference[1]) << 8);
            ASSERT_EQ(platform::MultiByteToWide(codePage, std::string(1, static_cast<char>(byte))),
                      std::u16string(1, expected))
                << name << " byte " << byte;
        }
        for (unsigned unit = 0; unit < 0x10000; ++unit) {
            if (unit >= 0xD800 && unit <= 0xDFFF) {
                continue;
            }
            const std::string reference =
                fromWide.Convert({static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)});
            if (codePage == 1252 && unit >= 0x80 && unit <= 0x9F && reference.empty()) {
                continue;
            }
            ASSERT_EQ(platform::WideToMultiByte(codePage, std::u16string(1, char16_t(unit))),
                      reference.empty() ? "?" : reference)
                << name << " unit " << unit;
        }
    }
}

} // namespace
