#include "io/files/cp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, RoundTripsCyrillicAndRefusesWhatItLacks) {
    std::string text = "Матч 1 - Спартак";
    auto bytes = kav::io::utf8ToCp1251(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 16u);
    EXPECT_EQ(static_cast<unsigned char>((*bytes)[0]), 0xCC); // М
    EXPECT_EQ(kav::io::cp1251ToUtf8(*bytes), text);
    EXPECT_FALSE(kav::io::utf8ToCp1251("漢字").has_value());
    EXPECT_EQ(kav::io::cp1251ToUtf8(std::string("\x98", 1)), "\xEF\xBF\xBD");
}
