// Where the handle sits, where a press grabs it, and how the ramp of mode "ramp" moves it, on
// the example slider: view 100, 40 to 300, 50, handle 20 x 10, offset 5, 0 (travel 170 pixels
// from x = 105; the free-click offset is 114).
#include "gui/sliderrig.h"

#include "vstgui/lib/iviewlistener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace VSTGUI;

namespace {

const std::string verticalElement =
    R"(origin="10, 20" size="10, 200" handle-size="10, 20" handle-offset="0, 5" )"
    R"(orientation="vertical" )";

const RecordingDrawContext::Operation* lastFilledRect(const RecordingDrawContext& drawing)
{
    const auto& operations = drawing.operations();
    for (auto it = operations.rbegin(); it != operations.rend(); ++it)
        if (it->kind == RecordingDrawContext::Kind::Rect && it->style == kDrawFilled)
            return &*it;
    return nullptr;
}

} // namespace

TEST(HandleGeometry, TheHandleFollowsTheValueAlongTheTravel)
{
    SliderRig rig;
    EXPECT_EQ(rig.slider().handleRectForValue(0.f), CRect(105, 40, 125, 50));
    EXPECT_EQ(rig.slider().handleRectForValue(0.5f), CRect(190, 40, 210, 50));
    EXPECT_EQ(rig.slider().handleRectForValue(1.f), CRect(275, 40, 295, 50));
    // A value below the range still leaves the handle inside the travel.
    EXPECT_EQ(rig.slider().handleRectForValue(-1.f), CRect(105, 40, 125, 50));
}

TEST(HandleGeometry, AReversedSliderHasValueZeroAtTheFarEnd)
{
    SliderRig rig(std::string(SliderRig::exampleElement) + R"( reverse-orientation="true")");
    EXPECT_EQ(rig.slider().handleRectForValue(0.f), CRect(275, 40, 295, 50));
    EXPECT_EQ(rig.slider().handleRectForValue(1.f), CRect(105, 40, 125, 50));
}

TEST(HandleGeometry, AVerticalSliderTravelsAlongY)
{
    SliderRig rig(verticalElement + R"(reverse-orientation="false")");
    // Value grows upward: 0 at the bottom of the travel, 1 at its top.
    EXPECT_EQ(rig.slider().handleRectForValue(0.f), CRect(10, 195, 20, 215));
    EXPECT_EQ(rig.slider().handleRectForValue(1.f), CRect(10, 25, 20, 45));
}

TEST(HandleGeometry, TheTwoSliderFormsRaiseTheirValueRightwardAndUpward)
{
    auto horizontal = makeOwned<CHorizontalSlider>(CRect(0, 0, 100, 10), nullptr, 1);
    horizontal->setHandleSize(CPoint(10, 10));
    EXPECT_EQ(horizontal->getSliderMode(), kUseGlobal);
    EXPECT_EQ(horizontal->handleRectForValue(0.f), CRect(0, 0, 10, 10));
    EXPECT_EQ(horizontal->handleRectForValue(1.f), CRect(90, 0, 100, 10));

    auto vertical = makeOwned<CVerticalSlider>(CRect(0, 0, 10, 100), nullptr, 2);
    vertical->setHandleSize(CPoint(10, 10));
    EXPECT_EQ(vertical->getSliderMode(), kUseGlobal);
    EXPECT_EQ(vertical->handleRectForValue(0.f), CRect(0, 90, 10, 100));
    EXPECT_EQ(vertical->handleRectForValue(1.f), CRect(0, 0, 10, 10));
}

TEST(HandleGeometry, TheHandleIsDrawnWhereAPressGrabsIt)
{
    SliderRig rig;
    rig.setValue(0.3f);
    const auto* handle = lastFilledRect(rig.drawing());
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->rect, rig.slider().handleRectForValue(0.3f));
    EXPECT_EQ(handle->color, rig.slider().getHandleColor());

    const auto& operations = rig.drawing().operations();
    const bool trackSpansTheTravel =
        std::any_of(operations.begin(), operations.end(), [&](const auto& operation) {
            return operation.color == rig.slider().getTrackColor() && operation.rect.left == 105 &&
                   operation.rect.right == 295;
        });
    EXPECT_TRUE(trackSpansTheTravel);
}

TEST(HandleGeometry, ACopyAnswersAsItsSourceAndStandsAlone)
{
    struct DeletionCount : ViewListenerAdapter
    {
        void viewWillDelete(CView*) override { ++deletions; }
        int deletions = 0;
    } sourceWatcher;
    SliderRig rig(std::string(SliderRig::exampleElement) +
                  R"( reverse-orientation="true" mode="ramp" zoom-factor="4" )"
                  R"(handle-color="#ff8000" wheel-inc-value="0.05")");
    rig.setValue(0.3f);
    rig.press(230, 45);
    ASSERT_TRUE(rig.slider().isEditing());
    rig.slider().registerViewListener(&sourceWatcher);

    auto copy = rig.copySlider();
    const CSlider* slider = copy.get();
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->getNbReference(), 1);
    EXPECT_EQ(slider->getParentView(), nullptr);
    EXPECT_FALSE(slider->isEditing());

    const CSlider& source = rig.slider();
    EXPECT_EQ(slider->getTag(), 7);
    EXPECT_EQ(slider->getListener(), &rig);
    EXPECT_EQ(slider->getValue(), source.getValue());
    EXPECT_EQ(slider->getWheelInc(), 0.05f);
    EXPECT_EQ(slider->getStyle(), kHorizontal | kRight);
    EXPECT_EQ(slider->getSliderMode(), kRamp);
    EXPECT_EQ(slider->getZoomFactor(), 4.f);
    EXPECT_EQ(slider->getOffsetHandle(), CPoint(5, 0));
    EXPECT_EQ(slider->getHandleSize(), CPoint(20, 10));
    EXPECT_EQ(slider->getHandleColor(), source.getHandleColor());
    for (float value : {0.f, 0.3f, 1.f})
        EXPECT_EQ(slider->handleRectForValue(value), source.handleRectForValue(value)) << value;
    for (const CPoint& where : {CPoint(230, 45), CPoint(150, 45)})
        EXPECT_EQ(slider->calculateGrabOffset(where, nullptr),
                  source.calculateGrabOffset(where, nullptr));

    copy = nullptr;
    EXPECT_EQ(sourceWatcher.deletions, 0);
    // A container would have to copy its children: it answers null.
    EXPECT_EQ(source.getParentView()->newCopy(), nullptr);
}

TEST(GrabOffset, QZFreeClickGrabsTheHandleWhereItIsPressed)
{
    SliderRig rig;
    rig.setValue(0.5f);
    CRect handle;
    EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(200, 45), &handle), 115.f);
    EXPECT_EQ(handle, CRect(190, 40, 210, 50));
    // Half-open edges: left and top belong to the handle, right and bottom do not.
    EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(190, 45), nullptr), 105.f);
    EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(210, 45), nullptr), 114.f);
    EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(200, 40), nullptr), 115.f);
    EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(200, 50), nullptr), 114.f);
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(notANumber, 45), nullptr), 114.f);
}

TEST(GrabOffset, FreeClickCentresTheHandleWhateverTheValueAndLeavesTheRectangle)
{
    SliderRig rig(std::string(SliderRig::exampleElement) + R"( mode="free click")");
    const CRect untouched(1, 2, 3, 4);
    for (float value : {0.f, 0.5f, 1.f})
    {
        rig.setValue(value);
        CRect handle = untouched;
        EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(200, 45), &handle), 114.f);
        EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(150, 45), &handle), 114.f);
        EXPECT_EQ(handle, untouched);
    }
}

TEST(GrabOffset, TouchRelativeTouchAndRampGrabAtThePressDistanceAnywhere)
{
    for (const char* mode : {"touch", "relative touch", "ramp"})
    {
        SCOPED_TRACE(mode);
        SliderRig rig(std::string(SliderRig::exampleElement) + " mode=\"" + mode + "\"");
        rig.setValue(0.5f);
        EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(150, 45), nullptr), 65.f);
    }
}

TEST(GrabOffset, OnAVerticalSliderThePressIsMeasuredFromTheHandlesTop)
{
    SliderRig rig(verticalElement + R"(reverse-orientation="false")");
    rig.setValue(0.5f);
    CRect handle;
    EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(15, 120), &handle), 35.f);
    EXPECT_EQ(handle, CRect(10, 110, 20, 130));
    EXPECT_FLOAT_EQ(rig.slider().calculateGrabOffset(CPoint(15, 60), nullptr), 34.f);
}

TEST(GrabOffset, APressOnTheHandleSnapsTheValueToItsWholePixel)
{
    SliderRig rig;
    rig.setValue(0.503f);
    rig.press(200, 45);
    EXPECT_EQ(rig.value(), valueAtPixel(85));
    EXPECT_EQ(rig.events, (std::vector<std::string>{"begin", "value 0.5"}));
}

TEST(GrabOffset, OnAReversedSliderTheSnapCountsFromTheFarEnd)
{
    SliderRig rig(std::string(SliderRig::exampleElement) + R"( reverse-orientation="true")");
    rig.setValue(0.503f);
    rig.press(200, 45);
    EXPECT_NEAR(rig.value(), 1.f - valueAtPixel(84), 1e-6);
    EXPECT_NEAR(rig.value(), 0.5059f, 1e-4);
}

TEST(Ramp, TheRampStepsAHundredthPerTickAndEndsExactlyOnTheTarget)
{
    SliderRig rig(std::string(SliderRig::exampleElement) + R"( mode="ramp")");
    rig.setValue(0.1f);
    // Off the handle: the free-click rule puts the handle under x = 199 at value 85 / 170.
    rig.press(199, 45);
    EXPECT_EQ(rig.value(), 0.1f);
    ASSERT_EQ(rig.runningTimers(), 1u);

    int ticks = 0;
    while (rig.runningTimers() != 0 && ticks < 100)
    {
        const float before = rig.value();
        rig.tick();
        ++ticks;
        if (rig.runningTimers() != 0)
        {
            EXPECT_NEAR(rig.value() - before, 0.01f, 1e-5) << "tick " << ticks;
        }
    }
    EXPECT_GE(ticks, 40);
    EXPECT_LE(ticks, 41);
    EXPECT_EQ(rig.value(), valueAtPixel(85));

    // From now on the handle's centre follows the pointer.
    rig.move(230, 45);
    EXPECT_EQ(rig.value(), valueAtPixel(230 - 114));
}

TEST(Ramp, ATickThatLandsExactlyOnTheTargetKeepsTheTimerForOneMoreTick)
{
    // A wheel increment of 1 makes the step 0.1, and x = 131 stands for value 17 / 170 = 0.1.
    SliderRig rig(std::string(SliderRig::exampleElement) + R"( mode="ramp" wheel-inc-value="1")");
    rig.setValue(0.f);
    rig.press(131, 45);
    rig.tick();
    EXPECT_EQ(rig.value(), 0.1f);
    EXPECT_EQ(rig.runningTimers(), 1u);
    rig.tick();
    EXPECT_EQ(rig.value(), 0.1f);
    EXPECT_EQ(rig.runningTimers(), 0u);
}

TEST(Ramp, APointerBeyondTheTravelRunsTheValueToTheEndWhereItStaysQuiet)
{
    SliderRig rig(std::string(SliderRig::exampleElement) + R"( mode="ramp")");
    rig.setValue(0.9f);
    rig.press(150, 45);
    rig.move(299, 45);
    EXPECT_EQ(rig.value(), 0.9f);
    rig.tick(20);
    EXPECT_EQ(rig.value(), 1.f);
    EXPECT_EQ(rig.runningTimers(), 1u);
    const size_t heard = rig.events.size();
    rig.tick(5);
    EXPECT_EQ(rig.events.size(), heard);
}

TEST(Ramp, OnAVerticalSliderWithoutDirectionTheFirstTickReachesTheTarget)
{
    SliderRig rig(verticalElement + R"(mode="ramp")");
    ASSERT_EQ(rig.slider().getStyle() & (kTop | kBottom), 0);
    rig.setValue(0.f);
    rig.press(15, 150);
    rig.tick();
    EXPECT_EQ(rig.value(), 116.f / 170.f);
    EXPECT_EQ(rig.runningTimers(), 0u);
}

TEST(NoTravel, ASliderNoLongerThanItsHandleKeepsItsValue)
{
    const std::string shortSlider =
        R"(origin="100, 40" size="20, 10" handle-size="20, 10" handle-offset="5, 0" )";
    for (const char* mode : {"QZ free click", "free click", "touch", "relative touch", "ramp"})
    {
        SCOPED_TRACE(mode);
        SliderRig rig(shortSlider + "mode=\"" + mode + "\"");
        rig.setValue(0.3f);
        rig.press(110, 45);
        rig.move(119, 45);
        rig.move(101, 45, kLButton | kShift);
        rig.tick(3);
        EXPECT_EQ(rig.value(), 0.3f);
        EXPECT_EQ(rig.runningTimers(), 0u);
        EXPECT_FALSE(std::isnan(rig.slider().handleRectForValue(0.3f).left));
    }
}
