// What a press, a drag, a release and a cancel do to a slider's value and its edits, in each
// mode and with the modifier keys, on the example slider at value 0.5 (handle 190 to 210).
#include "gui/sliderrig.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace VSTGUI;

namespace {

using Events = std::vector<std::string>;

SliderRig exampleIn(const std::string& mode, const std::string& more = {})
{
    std::string element = std::string(SliderRig::exampleElement) + " " + more;
    if (!mode.empty())
        element += " mode=\"" + mode + "\"";
    return SliderRig(element);
}

struct ModeCase
{
    const char* mode; ///< empty: the element names no mode
    float onPress;    ///< after a press on the handle at x = 200
    float onMove;     ///< after the drag from there to x = 230
    CMouseEventResult offResult;
    float offPress; ///< after a press off the handle at x = 150
    float offMove;  ///< after the drag from there to x = 180
};

} // namespace

TEST(SliderModes, EachModeOnAndOffTheHandle)
{
    const float half = valueAtPixel(85);
    const ModeCase cases[] = {
        {"touch", half, valueAtPixel(115), kMouseDownEventHandledButDontNeedMovedOrUpEvents, half,
         half},
        {"relative touch", half, valueAtPixel(115), kMouseEventHandled, half, valueAtPixel(115)},
        {"free click", valueAtPixel(86), valueAtPixel(116), kMouseEventHandled, valueAtPixel(36),
         valueAtPixel(66)},
        {"QZ free click", half, valueAtPixel(115), kMouseEventHandled, valueAtPixel(36),
         valueAtPixel(66)},
        {"ramp", half, valueAtPixel(115), kMouseEventHandled, half, half},
        {"use global", half, valueAtPixel(115), kMouseEventHandled, valueAtPixel(36),
         valueAtPixel(66)},
        {"", half, valueAtPixel(115), kMouseEventHandled, valueAtPixel(36), valueAtPixel(66)},
    };
    for (const ModeCase& c : cases)
    {
        SCOPED_TRACE(std::string("mode \"") + c.mode + "\"");
        {
            SliderRig on = exampleIn(c.mode);
            on.setValue(0.5f);
            EXPECT_EQ(on.press(200, 45), kMouseEventHandled);
            EXPECT_EQ(on.value(), c.onPress);
            on.move(230, 45);
            EXPECT_EQ(on.value(), c.onMove);
            EXPECT_EQ(on.release(230, 45), kMouseEventHandled);
            EXPECT_EQ(on.events.back(), "end");
        }
        SliderRig off = exampleIn(c.mode);
        off.setValue(0.5f);
        EXPECT_EQ(off.press(150, 45), c.offResult);
        EXPECT_EQ(off.value(), c.offPress);
        off.move(180, 45);
        EXPECT_EQ(off.value(), c.offMove);
    }
}

TEST(SliderModes, ATouchPressOffTheHandleStartsNoEdit)
{
    SliderRig rig = exampleIn("touch");
    rig.setValue(0.5f);
    rig.press(150, 45);
    EXPECT_TRUE(rig.events.empty());
    EXPECT_FALSE(rig.slider().isEditing());
}

TEST(ResetPress, OptionAloneResetsWhereverTheModeHonoursIt)
{
    // Modes 2, 3 and 4 anywhere, modes 0 and 1 on the handle only.
    const struct
    {
        const char* mode;
        double x;
        bool resets;
    } cases[] = {{"free click", 150, true}, {"QZ free click", 150, true},
                 {"ramp", 150, true},       {"", 150, true},
                 {"touch", 200, true},      {"relative touch", 200, true},
                 {"touch", 150, false},     {"relative touch", 150, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string("mode \"") + c.mode + "\" at x = " + std::to_string(c.x));
        SliderRig rig = exampleIn(c.mode, R"(default-value="0.25")");
        rig.setValue(0.5f);
        const CMouseEventResult result = rig.press(c.x, 45, kLButton | kAlt);
        EXPECT_EQ(rig.runningTimers(), 0u);
        if (c.resets)
        {
            EXPECT_EQ(result, kMouseDownEventHandledButDontNeedMovedOrUpEvents);
            EXPECT_EQ(rig.value(), 0.25f);
            EXPECT_EQ(rig.events, (Events{"begin", "value 0.25", "end"}));
        }
        else
        {
            EXPECT_EQ(rig.value(), 0.5f);
        }
    }
}

TEST(ResetPress, OptionOffTheHandleIsIgnoredInTouchAndAnOrdinaryGrabInRelativeTouch)
{
    SliderRig touch = exampleIn("touch", R"(default-value="0.25")");
    touch.setValue(0.5f);
    EXPECT_EQ(touch.press(150, 45, kLButton | kAlt),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_TRUE(touch.events.empty());

    SliderRig relative = exampleIn("relative touch", R"(default-value="0.25")");
    relative.setValue(0.5f);
    EXPECT_EQ(relative.press(150, 45, kLButton | kAlt), kMouseEventHandled);
    relative.move(180, 45, kLButton | kAlt);
    EXPECT_EQ(relative.value(), valueAtPixel(115));
}

TEST(ResetPress, AnOptionPressAtTheDefaultValueDoesNothingElse)
{
    SliderRig rig = exampleIn("", R"(default-value="0.25")");
    rig.setValue(0.25f);
    EXPECT_EQ(rig.press(150, 45, kLButton | kAlt),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_TRUE(rig.events.empty());
}

TEST(ResetPress, OptionWithAnotherKeyIsNoResetPress)
{
    SliderRig withShift = exampleIn("", R"(default-value="0.25")");
    withShift.setValue(0.5f);
    EXPECT_EQ(withShift.press(150, 45, kLButton | kAlt | kShift), kMouseEventHandled);
    EXPECT_EQ(withShift.value(), 0.5f);

    SliderRig withCommand = exampleIn("", R"(default-value="0.25")");
    withCommand.setValue(0.5f);
    withCommand.press(150, 45, kLButton | kAlt | kControl);
    EXPECT_EQ(withCommand.value(), valueAtPixel(36));

    // The primary button with the Control key arrives as a secondary press.
    SliderRig withControl = exampleIn("", R"(default-value="0.25")");
    withControl.setValue(0.5f);
    EXPECT_EQ(withControl.press(150, 45, kRButton | kApple | kAlt), kMouseEventNotHandled);
    EXPECT_EQ(withControl.value(), 0.5f);
    EXPECT_TRUE(withControl.events.empty());
}

TEST(ResetPress, TheSecondPressOfADoubleClickActsAsAnyPress)
{
    SliderRig reset = exampleIn("", R"(default-value="0.25")");
    reset.setValue(0.5f);
    reset.press(150, 45, kLButton | kAlt | kDoubleClick);
    EXPECT_EQ(reset.value(), 0.25f);

    SliderRig jump = exampleIn("");
    jump.setValue(0.5f);
    jump.press(150, 45, kLButton | kDoubleClick);
    EXPECT_EQ(jump.value(), valueAtPixel(36));
}

TEST(FineAdjustment, AShiftPressDoesNotJumpAndItsFirstMoveGoesATenthOfTheWay)
{
    SliderRig rig = exampleIn("");
    rig.setValue(0.5f);
    EXPECT_EQ(rig.press(150, 45, kLButton | kShift), kMouseEventHandled);
    EXPECT_EQ(rig.value(), 0.5f);
    EXPECT_EQ(rig.events, Events{"begin"});
    rig.move(150, 45, kLButton | kShift);
    EXPECT_NEAR(rig.value(), 0.5f + (valueAtPixel(36) - 0.5f) / 10.f, 1e-6);
}

TEST(FineAdjustment, AShiftPressInRampModeStillStartsTheRamp)
{
    SliderRig rig = exampleIn("ramp");
    rig.setValue(0.5f);
    rig.press(150, 45, kLButton | kShift);
    EXPECT_EQ(rig.runningTimers(), 1u);
}

TEST(FineAdjustment, ShiftPressedAndReleasedInTheMiddleOfADrag)
{
    SliderRig rig = exampleIn("", R"(zoom-factor="10")");
    rig.setValue(0.5f);
    rig.press(200, 45);
    rig.move(230, 45);
    const float grabbed = valueAtPixel(115);
    ASSERT_EQ(rig.value(), grabbed);

    // Shift: the base is taken at this move, so the value moves a tenth as far as the pointer.
    rig.move(240, 45, kLButton | kShift);
    EXPECT_NEAR(rig.value(), grabbed + valueAtPixel(1), 1e-6);
    rig.move(250, 45, kLButton | kShift);
    EXPECT_NEAR(rig.value(), grabbed + valueAtPixel(2), 1e-6);

    // Without Shift the pointer's own position counts again.
    rig.move(250, 45);
    EXPECT_EQ(rig.value(), valueAtPixel(135));

    // Shift again with the same buttons takes no new base: the value steps back toward the base
    // from before the last move without Shift.
    rig.move(260, 45, kLButton | kShift);
    const float base = grabbed + valueAtPixel(2);
    EXPECT_NEAR(rig.value(), base + (valueAtPixel(145) - base) / 10.f, 1e-6);
}

TEST(FineAdjustment, TheZoomFactorDividesTheFineMotion)
{
    SliderRig rig = exampleIn("", R"(zoom-factor="4")");
    rig.setValue(0.5f);
    rig.press(200, 45, kLButton | kShift);
    rig.move(240, 45, kLButton | kShift);
    EXPECT_NEAR(rig.value(), 0.5f + (valueAtPixel(125) - 0.5f) / 4.f, 1e-6);
}

TEST(ReleaseAndCancel, AReleaseDuringTheRampLeavesTheValueOfTheLastTick)
{
    SliderRig rig = exampleIn("ramp");
    rig.setValue(0.1f);
    rig.press(199, 45);
    rig.tick(3);
    const float reached = rig.value();
    EXPECT_NEAR(reached, 0.13f, 1e-5);
    rig.release(250, 45);
    EXPECT_EQ(rig.runningTimers(), 0u);
    rig.tick(3);
    EXPECT_EQ(rig.value(), reached);
    EXPECT_EQ(rig.events.back(), "end");
}

TEST(ReleaseAndCancel, ACancelRestoresThePressValueAndClosesTheEdit)
{
    SliderRig rig = exampleIn("");
    rig.setValue(0.5f);
    rig.press(150, 45);
    rig.move(170, 45);
    EXPECT_EQ(rig.cancel(), kMouseEventHandled);
    EXPECT_EQ(rig.value(), 0.5f);
    ASSERT_GE(rig.events.size(), 2u);
    EXPECT_EQ(rig.events[rig.events.size() - 2], "value 0.5");
    EXPECT_EQ(rig.events.back(), "end");
    EXPECT_FALSE(rig.slider().isEditing());
}

TEST(ReleaseAndCancel, ACancelThatChangesNothingNotifiesNothing)
{
    SliderRig rig = exampleIn("");
    rig.setValue(0.5f);
    rig.press(200, 45);
    rig.cancel();
    EXPECT_EQ(rig.events, (Events{"begin", "end"}));
}

TEST(ReleaseAndCancel, ACancelDuringTheRampStopsIt)
{
    SliderRig rig = exampleIn("ramp");
    rig.setValue(0.1f);
    rig.press(199, 45);
    rig.tick(2);
    rig.cancel();
    EXPECT_EQ(rig.value(), 0.1f);
    EXPECT_EQ(rig.runningTimers(), 0u);
}

TEST(ReleaseAndCancel, ARampStaysWithThePressThatStartedItWhenTheSliderIsCopied)
{
    SliderRig rig = exampleIn("ramp");
    rig.setValue(0.1f);
    rig.press(199, 45);
    rig.tick(2);
    const auto duringRamp = rig.copySlider();
    rig.tick();
    const float reached = rig.value();
    EXPECT_NEAR(reached, 0.13f, 1e-5);
    EXPECT_NEAR(duringRamp->getValueNormalized(), 0.12f, 1e-5);
    rig.release(250, 45);
    EXPECT_EQ(rig.runningTimers(), 0u);
    rig.tick(3);
    EXPECT_EQ(rig.value(), reached);

    // Sanitizer builds catch a tick into the destroyed source.
    rig.press(199, 45);
    ASSERT_EQ(rig.runningTimers(), 1u);
    const auto beforeCancel = rig.copySlider();
    rig.cancel();
    rig.destroySlider();
    rig.tick(3);
    EXPECT_EQ(rig.runningTimers(), 0u);
}

TEST(ReleaseAndCancel, OutsideAnEditReleaseAndCancelChangeNothing)
{
    SliderRig rig = exampleIn("");
    CPoint where(200, 45);
    EXPECT_EQ(rig.slider().onMouseUp(where, kLButton), kMouseEventHandled);
    EXPECT_EQ(rig.slider().onMouseCancel(), kMouseEventHandled);
    EXPECT_TRUE(rig.events.empty());
}

TEST(Moves, OnlyMovesWithThePrimaryButtonAloneDuringAnEditAreTaken)
{
    SliderRig rig = exampleIn("");
    rig.setValue(0.5f);
    EXPECT_EQ(rig.move(150, 45, 0), kMouseEventNotHandled);
    rig.press(200, 45);
    EXPECT_EQ(rig.move(150, 45, kLButton | kRButton), kMouseEventNotHandled);
    EXPECT_EQ(rig.value(), 0.5f);
}

TEST(Moves, AReversedSliderMapsThePointerFromTheFarEnd)
{
    SliderRig rig = exampleIn("", R"(reverse-orientation="true")");
    rig.setValue(0.5f);
    rig.press(101, 45);
    EXPECT_EQ(rig.value(), 1.f);
    rig.move(299, 45);
    EXPECT_EQ(rig.value(), 0.f);
}

TEST(WheelEditing, TurnsOfOneGestureMakeOneEdit)
{
    SliderRig rig = exampleIn("");
    rig.setValue(0.5f);
    EXPECT_TRUE(rig.wheel(200, 45, 1.f));
    EXPECT_TRUE(rig.wheel(200, 45, 1.f));
    EXPECT_NEAR(rig.value(), 0.7f, 1e-6);
    rig.wheel(200, 45, -1.f, kShift);
    EXPECT_NEAR(rig.value(), 0.69f, 1e-6);
    rig.advanceMs(CMouseWheelEditingSupport::wheelEditTimeoutMs);
    EXPECT_EQ(rig.events.front(), "begin");
    EXPECT_EQ(rig.events.back(), "end");
    EXPECT_EQ(std::count(rig.events.begin(), rig.events.end(), "begin"), 1);
}

TEST(WheelEditing, APressDuringAWheelEditClosesThatEditFirstEvenWhenIgnored)
{
    SliderRig rig = exampleIn("touch");
    rig.setValue(0.5f);
    rig.wheel(200, 45, 1.f);
    ASSERT_TRUE(rig.slider().isEditing());
    EXPECT_EQ(rig.press(150, 45), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_FALSE(rig.slider().isEditing());
    EXPECT_EQ(rig.events, (Events{"begin", "value 0.6", "end"}));
    rig.advanceMs(CMouseWheelEditingSupport::wheelEditTimeoutMs);
    EXPECT_EQ(rig.events.size(), 3u);
}

TEST(WheelEditing, ADragThatAnotherPressBeganLeavesASliderInAWheelEditAlone)
{
    SliderRig rig = exampleIn("");
    rig.setValue(0.5f);
    rig.wheel(200, 45, 1.f);
    ASSERT_TRUE(rig.slider().isEditing());
    EXPECT_EQ(rig.press(10, 200), kMouseEventNotHandled);
    EXPECT_EQ(rig.move(200, 45), kMouseEventNotHandled);
    EXPECT_NEAR(rig.value(), 0.6f, 1e-6);
}

TEST(WheelEditing, ACopyMadeDuringAWheelEditStartsAnEditOfItsOwn)
{
    SliderRig rig = exampleIn("");
    rig.setValue(0.5f);
    rig.wheel(200, 45, 1.f);
    const auto copy = rig.copySlider();
    EXPECT_FALSE(copy->isEditing());
    rig.destroySlider();

    EXPECT_TRUE(copy->onWheel(CPoint(200, 45), 1.f, 0));
    EXPECT_TRUE(copy->isEditing());
    rig.advanceMs(CMouseWheelEditingSupport::wheelEditTimeoutMs);
    EXPECT_FALSE(copy->isEditing());
    EXPECT_EQ(rig.events, (Events{"begin", "value 0.6", "begin", "value 0.7", "end"}));
}

TEST(ModifierSettings, OptionResetsAndShiftFineTunesEveryControl)
{
    EXPECT_EQ(CControl::kDefaultValueModifier, kAlt);
    EXPECT_EQ(CControl::kZoomModifier, kShift);
}
