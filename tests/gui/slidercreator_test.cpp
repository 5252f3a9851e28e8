// How a UI description's slider element sets a slider up, and how the creator reports it back.
#include "gui/slidercreator.h"

#include "gui/sliderrig.h"

#include "vstgui/lib/vstguidebug.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uiviewfactory.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::UIViewCreator;

namespace {

const IViewCreator& sliderCreator()
{
    const IViewCreator* creator = UIViewFactory::getViewCreator("CSlider");
    if (!creator)
        throw std::runtime_error("no creator for \"CSlider\"");
    return *creator;
}

/** The slider that a "CSlider" element with these attributes builds. */
SliderRig sliderWith(const std::string& attributes)
{
    return SliderRig(std::string(SliderRig::exampleElement) + " " + attributes);
}

std::string reported(const SliderRig& rig, const std::string& name)
{
    std::string value = "(none)";
    if (!sliderCreator().getAttributeValue(&rig.slider(), name, value, nullptr))
        return "(refused)";
    return value;
}

} // namespace

TEST(SliderElements, EverySliderElementIsBuiltByTheSliderCreator)
{
    const auto* creator = dynamic_cast<const SliderCreator*>(&sliderCreator());
    ASSERT_NE(creator, nullptr);
    EXPECT_STREQ(creator->getBaseViewName(), "CControl");
    EXPECT_STREQ(creator->getDisplayName(), "Slider");
}

TEST(SliderElements, AnElementWithoutModeFollowsTheGlobalQZFreeClick)
{
    SliderRig rig;
    EXPECT_EQ(rig.slider().getSliderMode(), kUseGlobal);
    EXPECT_EQ(rig.slider().getEffectiveSliderMode(), kQZFreeClick);
    EXPECT_EQ(CSliderBase::getGlobalMode(), kQZFreeClick);
    EXPECT_EQ(reported(rig, "mode"), "use global");
    EXPECT_EQ(rig.slider().getStyle(), kHorizontal | kLeft);
}

TEST(ModeAttribute, EachNameSelectsItsModeAndIsReportedBack)
{
    const char* const names[] = {"touch",         "relative touch", "free click",
                                 "QZ free click", "ramp",           "use global"};
    for (int32_t mode = 0; mode < 6; ++mode)
    {
        SCOPED_TRACE(names[mode]);
        SliderRig rig = sliderWith(std::string("mode=\"") + names[mode] + "\"");
        EXPECT_EQ(rig.slider().getSliderMode(), mode);
        EXPECT_EQ(reported(rig, "mode"), names[mode]);
    }
}

TEST(ModeAttribute, ANameMatchesOnlyExactly)
{
    for (const char* nearMiss : {"Ramp", " ramp", "ramp ", "4", "", "QZ Free Click"})
    {
        SCOPED_TRACE(std::string("\"") + nearMiss + "\"");
        SliderRig rig = sliderWith(std::string("mode=\"") + nearMiss + "\"");
        EXPECT_EQ(rig.slider().getSliderMode(), kUseGlobal);
    }
}

TEST(ModeAttribute, TheOlderFreeClickAttributeYieldsToAMatchingMode)
{
    EXPECT_EQ(sliderWith(R"(free-click="true" mode="ramp")").slider().getSliderMode(), kRamp);
    EXPECT_EQ(sliderWith(R"(free-click="true" mode="fast")").slider().getSliderMode(), kFreeClick);
    for (const char* notTrue : {"True", "1", ""})
    {
        SCOPED_TRACE(std::string("\"") + notTrue + "\"");
        SliderRig rig = sliderWith(std::string("free-click=\"") + notTrue + "\"");
        EXPECT_EQ(rig.slider().getSliderMode(), kTouch);
    }
}

TEST(ModeAttribute, FreeClickIsWriteOnly)
{
    SliderRig rig = sliderWith(R"(free-click="true")");
    EXPECT_EQ(reported(rig, "free-click"), "(refused)");
    EXPECT_EQ(sliderCreator().getAttributeType("free-click"), IViewCreator::kUnknownType);
    IViewCreator::StringList names;
    sliderCreator().getAttributeNames(names);
    EXPECT_EQ(std::count(names.begin(), names.end(), "free-click"), 0);
}

TEST(OrientationAttributes, DirectionBitsFollowTheOrientation)
{
    SliderRig reversed = sliderWith(R"(reverse-orientation="true")");
    EXPECT_EQ(reversed.slider().getStyle(), kHorizontal | kRight);

    // The orientation step keeps kLeft, which a vertical slider does not read.
    SliderRig verticalReversed = sliderWith(R"(orientation="vertical" reverse-orientation="true")");
    EXPECT_EQ(verticalReversed.slider().getStyle(), kVertical | kTop | kLeft);
    EXPECT_EQ(reported(verticalReversed, "orientation"), "vertical");
    EXPECT_EQ(reported(verticalReversed, "reverse-orientation"), "true");

    SliderRig vertical = sliderWith(R"(orientation="vertical")");
    EXPECT_EQ(vertical.slider().getStyle(), kVertical | kLeft);
    EXPECT_EQ(reported(vertical, "reverse-orientation"), "false");
    SliderRig verticalNormal = sliderWith(R"(orientation="vertical" reverse-orientation="false")");
    EXPECT_EQ(verticalNormal.slider().getStyle(), kVertical | kBottom | kLeft);

    SliderRig capital = sliderWith(R"(orientation="Vertical")");
    EXPECT_EQ(capital.slider().getStyle(), kHorizontal | kLeft);
    EXPECT_EQ(reported(capital, "orientation"), "horizontal");
}

TEST(OffsetAndZoomAttributes, ReadAndReportedBack)
{
    SliderRig rig = sliderWith(R"(zoom-factor="2.5")");
    EXPECT_EQ(rig.slider().getOffsetHandle(), CPoint(5, 0));
    EXPECT_EQ(reported(rig, "handle-offset"), "5, 0");
    EXPECT_EQ(rig.slider().getZoomFactor(), 2.5f);
    EXPECT_EQ(reported(rig, "zoom-factor"), "2.5");

    SliderRig unreadable = SliderRig(R"(origin="100, 40" size="200, 10" handle-offset="five" )"
                                     R"(zoom-factor="fast")");
    EXPECT_EQ(unreadable.slider().getOffsetHandle(), CPoint(0, 0));
    EXPECT_EQ(reported(unreadable, "zoom-factor"), "10");
}

TEST(OwnAttributes, HandleSizeAndColoursAreReadAndReportedBack)
{
    SliderRig rig = sliderWith(R"(handle-color="#ff8000" track-color="#10203040")");
    EXPECT_EQ(rig.slider().getHandleSize(), CPoint(20, 10));
    EXPECT_EQ(reported(rig, "handle-size"), "20, 10");
    EXPECT_EQ(reported(rig, "handle-color"), "#ff8000ff");
    EXPECT_EQ(reported(rig, "track-color"), "#10203040");
    EXPECT_EQ(sliderCreator().getAttributeType("handle-color"), IViewCreator::kColorType);
}

TEST(CreatorReports, AttributeNamesAndTypes)
{
    IViewCreator::StringList names{"earlier"};
    EXPECT_TRUE(sliderCreator().getAttributeNames(names));
    const IViewCreator::StringList expectedStart{
        "earlier", "mode", "orientation", "reverse-orientation", "handle-offset", "zoom-factor"};
    ASSERT_GE(names.size(), expectedStart.size());
    EXPECT_TRUE(std::equal(expectedStart.begin(), expectedStart.end(), names.begin()));

    EXPECT_EQ(sliderCreator().getAttributeType("mode"), IViewCreator::kListType);
    EXPECT_EQ(sliderCreator().getAttributeType("orientation"), IViewCreator::kListType);
    EXPECT_EQ(sliderCreator().getAttributeType("handle-offset"), IViewCreator::kPointType);
    EXPECT_EQ(sliderCreator().getAttributeType("zoom-factor"), IViewCreator::kFloatType);
    EXPECT_EQ(sliderCreator().getAttributeType("reverse-orientation"), IViewCreator::kBooleanType);
}

TEST(CreatorReports, TheChoicesOfTheListAttributes)
{
    IViewCreator::ConstStringPtrList values;
    const std::string first = "a";
    const std::string second = "b";
    values.push_back(&first);
    values.push_back(&second);
    EXPECT_TRUE(sliderCreator().getPossibleListValues("mode", values));
    std::vector<std::string> texts;
    for (const std::string* value : values)
        texts.push_back(*value);
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "b", "touch", "relative touch", "free click",
                                               "QZ free click", "ramp", "use global"}));

    IViewCreator::ConstStringPtrList orientations;
    EXPECT_TRUE(sliderCreator().getPossibleListValues("orientation", orientations));
    ASSERT_EQ(orientations.size(), 2u);
    EXPECT_EQ(*orientations.front(), "horizontal");
    EXPECT_EQ(*orientations.back(), "vertical");

    IViewCreator::ConstStringPtrList none;
    EXPECT_FALSE(sliderCreator().getPossibleListValues("zoom-factor", none));
    EXPECT_TRUE(none.empty());
}

TEST(CreatorReports, AViewThatIsNoSliderIsRefused)
{
    auto label = makeOwned<CView>(CRect(0, 0, 10, 10));
    UIAttributes attributes;
    attributes.setAttribute("mode", "ramp");
    EXPECT_FALSE(sliderCreator().apply(label.get(), attributes, nullptr));
    EXPECT_FALSE(sliderCreator().apply(nullptr, attributes, nullptr));
    std::string value = "kept";
    EXPECT_FALSE(sliderCreator().getAttributeValue(label.get(), "mode", value, nullptr));
    EXPECT_EQ(value, "kept");
}

namespace {
std::vector<std::string> assertions;
void recordAssertion(const char* message, const char*, int)
{
    assertions.push_back(message ? message : "(no message)");
}
} // namespace

TEST(BrokenPreconditions, AreReportedAndTheValueIsStoredAllTheSame)
{
    assertions.clear();
    setAssertionHandler(&recordAssertion);
    CSliderBase::setGlobalMode(kUseGlobal);
    EXPECT_EQ(CSliderBase::getGlobalMode(), kUseGlobal);
    CSliderBase::setGlobalMode(kQZFreeClick);

    SliderRig rig;
    rig.slider().setStyle(kHorizontal | kVertical);
    EXPECT_EQ(rig.slider().getStyle(), kHorizontal | kVertical);
    setAssertionHandler(nullptr);
    EXPECT_EQ(assertions, (std::vector<std::string>{"do not set the global mode to use global",
                                                    "(no message)"}));
}
