#include "vstgui/uidescription/uiattributes.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

TEST(UIAttributes, PointsReadAsTwoNumbersSeparatedByAComma)
{
    UIAttributes attributes;
    attributes.setAttribute("a", "5, 0");
    attributes.setAttribute("b", "-1.5,2e1");
    CPoint point;
    ASSERT_TRUE(attributes.getPointAttribute("a", point));
    EXPECT_EQ(point, CPoint(5, 0));
    ASSERT_TRUE(attributes.getPointAttribute("b", point));
    EXPECT_EQ(point, CPoint(-1.5, 20));
}

TEST(UIAttributes, TextThatIsNoPointLeavesThePointAlone)
{
    UIAttributes attributes;
    for (const char* text : {"5", "a, b", "1, 2, 3", "1,", ", 2", ""})
    {
        attributes.setAttribute("p", text);
        CPoint point(7, 8);
        EXPECT_FALSE(attributes.getPointAttribute("p", point)) << text;
        EXPECT_EQ(point, CPoint(7, 8));
    }
    CPoint point(7, 8);
    EXPECT_FALSE(attributes.getPointAttribute("missing", point));
}

TEST(UIAttributes, NumbersReadWholeOrNotAtAll)
{
    UIAttributes attributes;
    double value = 3.;
    attributes.setAttribute("z", " 12.5 ");
    ASSERT_TRUE(attributes.getDoubleAttribute("z", value));
    EXPECT_EQ(value, 12.5);
    for (const char* text : {"abc", "1.5x", "", "1 2", "inf", "-inf", "nan", "1e999"})
    {
        attributes.setAttribute("z", text);
        value = 3.;
        EXPECT_FALSE(attributes.getDoubleAttribute("z", value)) << text;
        EXPECT_EQ(value, 3.);
    }
}

TEST(UIAttributes, NumbersAndPointsWriteShortAndReadBackTheSame)
{
    EXPECT_EQ(UIAttributes::doubleToString(10.), "10");
    EXPECT_EQ(UIAttributes::doubleToString(0.1f, 6), "0.1");
    EXPECT_EQ(UIAttributes::doubleToString(1. / 3., 3), "0.333");
    EXPECT_EQ(UIAttributes::pointToString(CPoint(5, -0.25)), "5, -0.25");
    CPoint point;
    ASSERT_TRUE(UIAttributes::stringToPoint(UIAttributes::pointToString(CPoint(1.5, 2)), point));
    EXPECT_EQ(point, CPoint(1.5, 2));
}

TEST(UIAttributes, AbsentAttributesHaveNoValue)
{
    UIAttributes attributes;
    attributes.setAttribute("mode", "");
    EXPECT_NE(attributes.getAttributeValue("mode"), nullptr);
    EXPECT_EQ(attributes.getAttributeValue("Mode"), nullptr);
    attributes.removeAttribute("mode");
    EXPECT_FALSE(attributes.hasAttribute("mode"));
}
