#include "config/Unicode.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(UnicodeTest, WellFormedTextConvertsBothWays)
{
    const std::string text = "Key 左鍵 é 😀";
    EXPECT_EQ(unicode::utf16FromUtf8(text), u"Key 左鍵 é 😀");
    EXPECT_EQ(unicode::utf8FromUtf16(u"Key 左鍵 é 😀"), text);
    EXPECT_EQ(unicode::sanitizedUtf8(text), text);
}

TEST(UnicodeTest, MalformedPiecesBecomeOneReplacementEach)
{
    // Stray continuation, overlong form, encoded surrogate, beyond U+10FFFF,
    // and a sequence cut short: each maximal bad piece gives one U+FFFD.
    EXPECT_EQ(unicode::sanitizedUtf8("a\x80" "b"), "a\uFFFDb");
    EXPECT_EQ(unicode::sanitizedUtf8("\xC0\xAF"), "\uFFFD\uFFFD");
    EXPECT_EQ(unicode::sanitizedUtf8("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(unicode::sanitizedUtf8("\xF4\x90\x80\x80"), "\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(unicode::sanitizedUtf8("\xF0\x9F\x98" "x"), "\uFFFDx");
    EXPECT_EQ(unicode::sanitizedUtf8("\xE4\xB8"), "\uFFFD");
    EXPECT_EQ(unicode::utf16FromUtf8("\xFF" "a"), u"\uFFFDa");

    EXPECT_EQ(unicode::utf8FromUtf16(u"a\xD800"), "a\uFFFD");
    EXPECT_EQ(unicode::utf8FromUtf16(u"\xDC00\xD800z"), "\uFFFD\uFFFDz");
}

TEST(UnicodeTest, FirstCodePointsCountsCharactersNotBytes)
{
    EXPECT_EQ(unicode::firstCodePoints("左鍵ab", 3), "左鍵a");
    EXPECT_EQ(unicode::firstCodePoints("ab", 5), "ab");
    EXPECT_EQ(unicode::firstCodePoints("😀😀", 1), "😀");
}

} // namespace
} // namespace kestrel
