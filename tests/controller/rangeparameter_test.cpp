#include "controller/qzexprangeparameter.h"
#include "controller/qzrangeparameter.h"

#include "pluginterfaces/base/smartpointer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::u16string textOf(const Parameter& parameter, ParamValue normalized)
{
    String128 text = {};
    parameter.toString(normalized, text);
    return reinterpret_cast<const char16_t*>(text);
}

std::u16string field(const String128 text)
{
    return reinterpret_cast<const char16_t*>(text);
}

IPtr<QZRangeParameter> decibels(ParamValue minDb, ParamValue maxDb, int32 precision = 2)
{
    auto parameter = owned(new QZRangeParameter(STR16("Gain"), 7, STR16("dB"),
                                                ParameterInfo::kCanAutomate, minDb, maxDb, 0.0));
    parameter->setPrecision(precision);
    return parameter;
}

IPtr<QZExpRangeParameter> frequency(ParamValue defaultHz = 1000.0)
{
    auto parameter = owned(new QZExpRangeParameter(
        STR16("Freq"), 3, STR16("Hz"), ParameterInfo::kCanAutomate, 20.0, 20000.0, defaultHz));
    parameter->setPrecision(2);
    return parameter;
}

TEST(RangeParameterConstruction, FillsTheInfoAndStartsAtTheDefault)
{
    QZRangeParameter parameter(STR16("Level"), 5, STR16("dB"), ParameterInfo::kCanAutomate, -36.0,
                               12.0, 0.0);
    const ParameterInfo& info = parameter.getInfo();
    EXPECT_EQ(info.id, 5u);
    EXPECT_EQ(field(info.title), u"Level");
    EXPECT_EQ(field(info.shortTitle), u"");
    EXPECT_EQ(field(info.units), u"dB");
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);
    EXPECT_EQ(info.unitId, kRootUnitId);
    EXPECT_EQ(info.defaultNormalizedValue, 0.75);
    EXPECT_EQ(parameter.getNormalized(), 0.75);
    EXPECT_EQ(parameter.getPrecision(), 4);
    EXPECT_EQ(parameter.getMin(), -36.0);
    EXPECT_EQ(parameter.getMax(), 12.0);
    EXPECT_STREQ(parameter.isA(), "RangeParameter");
}

TEST(RangeParameterConstruction, LongTitleIsCutInsideItsFieldAndNullUnitsStayEmpty)
{
    const std::u16string longTitle(200, u'x');
    QZRangeParameter parameter(reinterpret_cast<const TChar*>(longTitle.c_str()), 1, nullptr, 0,
                               -12.0, 12.0, 0.0);
    const ParameterInfo& info = parameter.getInfo();
    EXPECT_EQ(field(info.title), longTitle.substr(0, 127));
    EXPECT_EQ(field(info.shortTitle), u"") << "the title ran into the next field";
    EXPECT_EQ(field(info.units), u"");
}

TEST(RangeParameterConstruction, DefaultOutsideTheRangeIsKeptUnclamped)
{
    QZRangeParameter parameter(STR16("Gain"), 1, STR16("dB"), 0, -12.0, 12.0, 24.0);
    EXPECT_EQ(parameter.getInfo().defaultNormalizedValue, 1.5);
    EXPECT_EQ(parameter.getNormalized(), 1.5);
}

TEST(RangeParameterText, LevelAndBandEndsAndCentresPrintWithTwoDecimals)
{
    auto level = decibels(-36.0, 12.0);
    EXPECT_EQ(textOf(*level, 0.0), u"-36.00");
    EXPECT_EQ(textOf(*level, 0.75), u"0.00");
    EXPECT_EQ(textOf(*level, 1.0), u"12.00");

    auto band = decibels(-12.0, 12.0);
    EXPECT_EQ(textOf(*band, 0.0), u"-12.00");
    EXPECT_EQ(textOf(*band, 0.5), u"0.00");
    EXPECT_EQ(textOf(*band, 1.0), u"12.00");
    EXPECT_EQ(textOf(*band, 0.25), u"-6.00");
    EXPECT_EQ(textOf(*band, 0.1), u"-9.60");
}

TEST(RangeParameterText, ConvertsTheGivenValueNotTheStoredOne)
{
    auto band = decibels(-12.0, 12.0);
    band->setNormalized(1.0);
    EXPECT_EQ(textOf(*band, 0.0), u"-12.00");
}

TEST(RangeParameterText, FollowsThePrecisionAndNeverPrintsOnOffOrIntegers)
{
    EXPECT_EQ(textOf(*decibels(-12.0, 12.0, 0), 0.0), u"-12");
    EXPECT_EQ(textOf(*decibels(-12.0, 12.0, 4), 0.75), u"6.0000");
    EXPECT_EQ(textOf(*decibels(0.0, 1.0), 1.0), u"1.00");
}

// min + (max - min) * 0 is min exactly, so these plain values reach the text unrounded.
TEST(RangeParameterText, OnlyValuesStrictlyWithinFiveMillionthsOfZeroPrintAsZero)
{
    EXPECT_EQ(textOf(*decibels(-0.00004, 1.0), 0.0), u"0.00");
    EXPECT_EQ(textOf(*decibels(0.0, 0.00004), 1.0), u"0.00");
    EXPECT_EQ(textOf(*decibels(-5e-05, 1.0), 0.0), u"-0.00");
    EXPECT_EQ(textOf(*decibels(-0.001, 1.0), 0.0), u"-0.00");
    EXPECT_NE(textOf(*decibels(-12.0, 12.0), NAN).find(u"nan"), std::u16string::npos);
}

TEST(RangeParameterText, TextTooLongForTheFieldIsEmptyAndWritesNothingBeyondIt)
{
    auto band = decibels(-12.0, 12.0);
    TChar buffer[512];
    std::fill(std::begin(buffer), std::end(buffer), TChar(0x7777));
    band->toString(1e300, buffer);
    EXPECT_EQ(buffer[0], 0);
    for (size_t unit = 128; unit < std::size(buffer); ++unit)
        ASSERT_EQ(buffer[unit], 0x7777) << "overran the 128-unit field at " << unit;

    auto level = decibels(-36.0, 12.0);
    EXPECT_GT(textOf(*level, 1e100).size(), 100u) << "a text that fits is printed";
}

TEST(RangeParameterTextEntry, TypedValuesAreClampedToTheRangeAndNonNumbersRefused)
{
    auto band = decibels(-12.0, 12.0);
    ParamValue normalized = -1.0;
    ASSERT_TRUE(band->fromString(STR16("-6"), normalized));
    EXPECT_EQ(normalized, 0.25);
    ASSERT_TRUE(band->fromString(STR16("30"), normalized));
    EXPECT_EQ(normalized, 1.0);
    ASSERT_TRUE(band->fromString(STR16("3 dB"), normalized));
    EXPECT_EQ(normalized, 0.625);

    normalized = 0.3;
    EXPECT_FALSE(band->fromString(STR16("loud"), normalized));
    EXPECT_FALSE(band->fromString(STR16(""), normalized));
    EXPECT_EQ(normalized, 0.3);
}

TEST(ExpRangeParameter, MapsLogarithmicallyBetweenItsEnds)
{
    auto hz = frequency();
    EXPECT_EQ(textOf(*hz, 0.0), u"20.00");
    EXPECT_EQ(textOf(*hz, 0.5), u"632.46");
    EXPECT_EQ(textOf(*hz, 1.0), u"20000.00");
    EXPECT_NEAR(hz->toPlain(0.25), 20.0 * std::pow(1000.0, 0.25), 1e-9);
    EXPECT_NEAR(hz->toNormalized(2000.0), std::log10(100.0) / 3.0, 1e-12);
    EXPECT_NEAR(hz->getInfo().defaultNormalizedValue, 0.566323, 1e-6);
    EXPECT_EQ(hz->getNormalized(), hz->getInfo().defaultNormalizedValue);
}

TEST(ExpRangeParameter, ExtendsTheCurveOutsideTheRangeAndHasNoZeroClamp)
{
    auto hz = frequency();
    EXPECT_NEAR(hz->toPlain(-1.0 / 3.0), 2.0, 1e-9);
    EXPECT_NEAR(hz->toNormalized(200000.0), 4.0 / 3.0, 1e-12);

    QZExpRangeParameter tiny(STR16("Tiny"), 1, nullptr, 0, 1e-6, 1.0, 1e-6);
    tiny.setPrecision(6);
    EXPECT_EQ(textOf(tiny, 0.0), u"0.000001");
}

TEST(ExpRangeParameter, TypedValuesMapLogarithmically)
{
    auto hz = frequency();
    ParamValue normalized = -1.0;
    ASSERT_TRUE(hz->fromString(STR16("632.455532"), normalized));
    EXPECT_NEAR(normalized, 0.5, 1e-9);
    ASSERT_TRUE(hz->fromString(STR16("5"), normalized));
    EXPECT_EQ(normalized, 0.0);
    EXPECT_FALSE(hz->fromString(STR16("Hz"), normalized));
}

} // namespace
