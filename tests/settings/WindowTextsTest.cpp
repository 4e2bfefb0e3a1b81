// The texts and icon position the main window composes.
#include <gtest/gtest.h>

#include "app/WindowTexts.h"

namespace {

TEST(MainTitle, JoinsNameVersionAndRelease) {
    EXPECT_EQ(app_texts::MainTitle("1.02", "Foo"), "TOVRA Installer v1.02 - Foo");
    EXPECT_EQ(app_texts::MainTitle("", "Foo"), "TOVRA Installer v - Foo");
    EXPECT_EQ(app_texts::MainTitle("1.02", "INI MISSING"), "TOVRA Installer v1.02 - INI MISSING");
}

TEST(InfoText, JoinsLinesWithSingleLineFeeds) {
    EXPECT_EQ(app_texts::InfoText("a", "b", "c"), "a\nb\nc");
    EXPECT_EQ(app_texts::InfoText("", "only", ""), "\nonly\n");
    EXPECT_EQ(app_texts::InfoText("", "", ""), "\n\n");
}

struct IconCase {
    int clientWidth, clientHeight, iconWidth, iconHeight, x, y;
};

TEST(CentredIconOrigin, TruncatesHalvesTowardZero) {
    const IconCase cases[] = {
        {33, 33, 32, 32, 1, 1},
        {0, 0, 32, 32, -15, -15},
        {100, 50, 32, 32, 34, 9},
        {32, 31, 32, 32, 0, 0},
    };
    for (const IconCase& c : cases) {
        POINT at =
            app_texts::CentredIconOrigin(c.clientWidth, c.clientHeight, c.iconWidth, c.iconHeight);
        EXPECT_EQ(at.x, c.x) << c.clientWidth << "x" << c.clientHeight;
        EXPECT_EQ(at.y, c.y) << c.clientWidth << "x" << c.clientHeight;
    }
}

}  // namespace
