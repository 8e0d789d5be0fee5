// help_popup_test.cpp - where a step's lines go when some are empty.
#include "ui/help_popup.h"

#include <gtest/gtest.h>

TEST(HelpPopupLines, ThreeLinesAreCentredOnTheBlockCentre) {
    const char* const lines[3] = {"one", "two", "three"};
    float y[3];
    bool drawn[3];
    EXPECT_EQ(help_page_line_positions(lines, 200, 40, y, drawn), 3);
    EXPECT_FLOAT_EQ(y[0], 160);
    EXPECT_FLOAT_EQ(y[1], 200);
    EXPECT_FLOAT_EQ(y[2], 240);
}

TEST(HelpPopupLines, AnEmptySecondLineGivesItsPlaceToTheThird) {
    const char* const lines[3] = {"one", "", "three"};
    float y[3];
    bool drawn[3];
    EXPECT_EQ(help_page_line_positions(lines, 200, 40, y, drawn), 2);
    EXPECT_TRUE(drawn[0]);
    EXPECT_FALSE(drawn[1]);
    EXPECT_TRUE(drawn[2]);
    EXPECT_FLOAT_EQ(y[0], 180);
    EXPECT_FLOAT_EQ(y[2], 220);
}

TEST(HelpPopupLines, ALoneFirstLineSitsOnTheCentreEvenWhenEmpty) {
    const char* const lines[3] = {"", "", nullptr};
    float y[3];
    bool drawn[3];
    EXPECT_EQ(help_page_line_positions(lines, 200, 40, y, drawn), 1);
    EXPECT_TRUE(drawn[0]);
    EXPECT_FLOAT_EQ(y[0], 200);
}
