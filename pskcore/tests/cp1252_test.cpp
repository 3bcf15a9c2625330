#include "pskcore/Cp1252.h"

#include <gtest/gtest.h>

using namespace pskcore;

TEST(Cp1252, EveryByteRoundTrips)
{
    for (int byte = 0; byte <= 0xFF; ++byte) {
        const auto back = cp1252::fromUnicode(cp1252::toUnicode(static_cast<unsigned char>(byte)));
        ASSERT_TRUE(back.has_value()) << "byte " << byte;
        EXPECT_EQ(*back, byte);
    }
}

TEST(Cp1252, TextConvertsBothWays)
{
    struct Case
    {
        const char* utf8;
        const char* bytes;
    };
    const Case cases[] = {
        {"CQ de F6ABC", "CQ de F6ABC"},
        {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},   // Latin-1 range
        {"\xE2\x82\xAC 5", "\x80 5"},          // euro sign, from the 0x80-0x9F range
        {"\xE2\x80\x9Cok\xE2\x80\x9D", "\x93ok\x94"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp1252::fromUtf8(c.utf8, '?'), c.bytes) << c.utf8;
        EXPECT_EQ(cp1252::toUtf8(c.bytes), c.utf8) << c.utf8;
    }
}

TEST(Cp1252, CharactersWithoutAByteAndInvalidUtf8AreReplaced)
{
    EXPECT_EQ(cp1252::fromUtf8("a\xE2\x86\x92z", '?'), "a?z");   // an arrow
    EXPECT_EQ(cp1252::fromUtf8("a\xF0\x9F\x93\xBBz", '?'), "a?z"); // outside the basic plane
    EXPECT_EQ(cp1252::fromUtf8("a\xFFz", '#'), "a#z");
    EXPECT_FALSE(cp1252::fromUnicode(U'\u2192').has_value());
}
