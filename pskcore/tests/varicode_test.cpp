#include "pskcore/dsp/Varicode.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace pskcore;

namespace {

std::string decodeBits(const std::string& bits)
{
    VaricodeDecoder decoder;
    std::string out;
    for (char b : bits)
        if (auto byte = decoder.pushBit(b == '1'))
            out.push_back(char(*byte));
    return out;
}

} // namespace

TEST(Varicode, EveryWordIsValidAndUnique)
{
    std::set<std::string> seen;
    for (int code = 0; code < 256; ++code) {
        const std::string word(varicode::encode(uint8_t(code)));
        SCOPED_TRACE(code);
        ASSERT_FALSE(word.empty());
        EXPECT_LE(word.size(), 12u);
        EXPECT_EQ(word.front(), '1');
        EXPECT_EQ(word.back(), '1');
        EXPECT_EQ(word.find("00"), std::string::npos);
        EXPECT_TRUE(seen.insert(word).second);
    }
}

TEST(Varicode, PublishedWords)
{
    EXPECT_EQ(varicode::encode(' '), "1");
    EXPECT_EQ(varicode::encode('e'), "11");
    EXPECT_EQ(varicode::encode('\r'), "11111");
    EXPECT_EQ(varicode::encode('A'), "1111101");
    EXPECT_EQ(varicode::encode(0xE9), "101010101101"); // é
    EXPECT_EQ(varicode::encode(0xFF), "101101011011");
}

TEST(Varicode, EveryCodeRoundTripsThroughTheDecoder)
{
    std::string bits = "0000";
    std::string expected;
    for (int code = 0; code < 256; ++code) {
        bits += std::string(varicode::encode(uint8_t(code))) + "00";
        expected.push_back(char(code));
    }
    EXPECT_EQ(decodeBits(bits), expected);
}

TEST(Varicode, ExtraIdleZerosBetweenCharactersAreIgnored)
{
    EXPECT_EQ(decodeBits("0000" "1011" "00000000" "101" "000"), "at");
}

TEST(Varicode, ResynchronisesAfterACorruptedCharacter)
{
    // A 13-bit run of ones is no word: it is dropped and decoding resumes after the next "00".
    const std::string bits = "00" "1111111111111" "00" + std::string(varicode::encode('o')) + "00" +
                             std::string(varicode::encode('k')) + "00";
    EXPECT_EQ(decodeBits(bits), "ok");
}

TEST(Varicode, UnknownWordIsDropped)
{
    // 1111111111 (ten ones) is code 142; 11111111111 (eleven ones) is 231; twelve ones is unused.
    EXPECT_FALSE(varicode::lookup(0xFFF, 12).has_value());
    EXPECT_EQ(decodeBits("00" "111111111111" "00" "11" "00"), "e");
}

TEST(Varicode, LookupRejectsBadLengths)
{
    EXPECT_FALSE(varicode::lookup(1, 0).has_value());
    EXPECT_FALSE(varicode::lookup(1, 13).has_value());
    EXPECT_FALSE(varicode::lookup(4, 2).has_value()); // value wider than the length
}
