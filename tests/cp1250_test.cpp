#include "words/cp1250.h"

#include <gtest/gtest.h>

namespace dyx {
namespace {

TEST(Cp1250, CzechLettersHaveTheirByteCodes) {
    EXPECT_EQ("ČĎĚŇŘŠŤŽ"_cp, "\xC8\xCF\xCC\xD2\xD8\x8A\x8D\x8E");
    EXPECT_EQ("ÁÉÍÓÚÝů"_cp, "\xC1\xC9\xCD\xD3\xDA\xDD\xF9");
    EXPECT_EQ("ˇ¨´"_cp, "\xA1\xA8\xB4");
}

TEST(Cp1250, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const auto back = utf8ToCp1250(cp1250ToUtf8(all));
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.bytes, all);
}

TEST(Cp1250, EncodingNamesTheFirstCharacterWithoutAByteAndWhereItIs) {
    const auto result = utf8ToCp1250("PES\r\nKO\xE2\x82\xAC\xE2\x98\x83KA");  // € has a byte, ☃ not
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.badCharacter, U'☃');
    EXPECT_EQ(result.badLine, 2u);
    EXPECT_EQ(result.badColumn, 4u);
    EXPECT_TRUE(result.bytes.empty());
}

TEST(Cp1250, MalformedUtf8IsRefused) {
    EXPECT_FALSE(utf8ToCp1250("A\xC3").ok);
    EXPECT_FALSE(utf8ToCp1250("\xC0\x80").ok);  // overlong NUL
}

}  // namespace
}  // namespace dyx
