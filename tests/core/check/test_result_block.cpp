#include "core/check/result_block.h"

#include <gtest/gtest.h>

using namespace kav;

TEST(ResultBlock, ReadsTheAnnouncementFormsAndWritesThemBack) {
    struct Case {
        const char* text;
        const char* result; // empty: refused
        const char* written;
    } cases[] = {
        {"Результат: 1X21X2-1X21X21X\r\n15 — 1 234 567,00\n14: 12 345,50 грн.\n",
         "1X21X2-1X21X21X", "1X21X2-1X21X21X\n15: 1234567\n14: 12345.5\n"},
        {"1\nX\n2\n1\n1\n-\n2\nХ\n1\n1\n2\n2\nX\n1\n1\n9 = 3", "1X211-2X1122X11",
         "1X211-2X1122X11\n9: 3\n"},
        // A whole result wins over a prize line of the same look.
        {"12-112211221122\n12-5\n", "12-112211221122", "12-112211221122\n12: 5\n"},
        {"15 — 100\n14: 200\n", "", ""},
        {"1X21X21X21X21X2\n15: 1\n15: 2\n", "", ""},
    };
    for (const auto& c : cases) {
        const auto read = readResultBlock(c.text);
        if (*c.result == '\0') {
            EXPECT_FALSE(read.block) << c.text;
            EXPECT_FALSE(read.fault.empty());
            continue;
        }
        ASSERT_TRUE(read.block) << c.text << ": " << read.fault;
        EXPECT_EQ(drawResultText(read.block->result), c.result);
        EXPECT_EQ(resultBlockText(*read.block), c.written);
        EXPECT_EQ(readResultBlock(resultBlockText(*read.block)).block, read.block);
    }
}
