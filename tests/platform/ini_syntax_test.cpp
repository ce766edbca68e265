#include "platform/ini_syntax.h"

#include <gtest/gtest.h>

namespace {

using platform::CIniNameHash;
using platform::FindEitherUnit;
using platform::IniNamesMatch;

TEST(FindEitherUnit, FindsTheFirstOfTwoUnitsWhereverItIs) {
    // Units are compared many at a time: every place in and around a step,
    // every start, and a second match later must all give the first match.
    // The fillers hold both bytes of a line feed, or differ from one only in
    // the high or the low bit, or have every bit set.
    for (const char16_t filler : {u'\u0d0a', u'\u800a', u'\u000b', u'\uffff'}) {
        for (size_t size = 0; size < 40; ++size) {
            for (size_t at = 0; at <= size; ++at) {
                std::u16string text(size, filler);
                if (at < size) {
                    text[at] = at % 2 == 0 ? u'\r' : u'\n';
                }
                if (at + 3 < size) {
                    text[at + 3] = u'\n';
                }
                for (size_t from = 0; from <= at; ++from) {
                    ASSERT_EQ(FindEitherUnit(text, from, u'\r', u'\n'), at)
                        << "size " << size << ", at " << at << ", from " << from;
                }
            }
        }
    }
    EXPECT_EQ(FindEitherUnit(u"abc=d", 0, u'=', u'='), 3u);
    EXPECT_EQ(FindEitherUnit(u"abc", 3, u'a', u'b'), 3u);
}

TEST(IniNames, MatchAndHashAlikeInEitherCaseOfAsciiLetters) {
    const std::u16string name = u"Wireless_Network_Key_30_and_more";
    for (size_t size = 1; size <= name.size(); ++size) {
        const std::u16string lower(name.substr(0, size));
        for (size_t at = 0; at < size; ++at) {
            std::u16string other = lower;
            other[at] = static_cast<char16_t>(std::toupper(other[at]));
            ASSERT_TRUE(IniNamesMatch(lower, other)) << size << "/" << at;
            ASSERT_EQ(CIniNameHash{}(lower), CIniNameHash{}(other)) << size << "/" << at;
        }
    }
    // Only letters fold: '@' and '`' differ in the same bit as 'A' and 'a'.
    EXPECT_FALSE(IniNamesMatch(u"A@", u"a`"));
    EXPECT_FALSE(IniNamesMatch(u"\u00e9", u"\u00c9"));
    EXPECT_FALSE(IniNamesMatch(u"KEY", u"KEY2"));
}

} // namespace
