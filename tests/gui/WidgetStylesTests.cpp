// The styles that a dialog item's fields choose for the widget library's controls.
#include "gui/WidgetStyles.h"

#include <gtest/gtest.h>

using namespace NSSprocketUtils;

namespace
{
TEST(WidgetStyles, PushButtonSizesFollowTheSizeField)
{
    const u32 kExpected[] = {87, 87, 88, 89, 87, 87, 87, 87};
    for (u32 size = 0; size < std::size(kExpected); ++size)
        EXPECT_EQ(PushButtonSizeStyle(size), kExpected[size]) << size;
}

TEST(WidgetStyles, StaticTextsTakeAlignmentAndFontFromTheirFields)
{
    EXPECT_EQ(StaticTextAlignment(0), 7u);
    EXPECT_EQ(StaticTextAlignment(1), 9u);
    EXPECT_EQ(StaticTextAlignment(2), 8u);
    EXPECT_EQ(StaticTextAlignment(3), 7u);

    struct
    {
        u32 fFont;
        u32 fSize;
        u32 fStyle;
    } const kCases[] = {
        {0, 0, 337}, {0, 1, 334}, {0, 2, 335}, {0, 3, 335}, {0, 7, 334}, {1, 0, 337}, {2, 0, 335},
        {3, 0, 336}, {4, 0, 335}, {5, 0, 334}, {3, 2, 336}, {1, 3, 337},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(StaticTextStyle(c.fFont, c.fSize), c.fStyle) << c.fFont << " " << c.fSize;
}

TEST(WidgetStyles, TextFieldFontsFollowTheSizeFieldBeforeTheFontField)
{
    struct
    {
        u32 fFont;
        u32 fSize;
        u32 fStyle;
    } const kCases[] = {
        {0, 1, 87}, {0, 2, 88}, {4, 2, 88}, {0, 3, 89}, {2, 3, 89}, {2, 1, 88}, {3, 0, 88}, {4, 1, 89}, {1, 1, 87},
        {9, 1, 87},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(TextFieldStyle(c.fFont, c.fSize), c.fStyle) << c.fFont << " " << c.fSize;
}

TEST(WidgetStyles, AFieldUpToOneLineAndFourPixelsTallIsSingleLine)
{
    EXPECT_TRUE(IsSingleLineField(16, 19));
    EXPECT_TRUE(IsSingleLineField(16, 20));
    EXPECT_FALSE(IsSingleLineField(16, 20.5f));
    EXPECT_FALSE(IsSingleLineField(16, 40));
}
} // namespace
