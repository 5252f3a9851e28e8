#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/controls/icontrollistener.h"
#include "vstgui/lib/iviewlistener.h"
#include "vstgui/lib/platform/recordingdrawcontext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

struct EventLog : IControlListener
{
    explicit EventLog(std::string listenerName = "") : name(std::move(listenerName)) {}
    void valueChanged(CControl* control) override
    {
        events.push_back(name + "changed " + std::to_string(control->getValue()));
    }
    void controlBeginEdit(CControl*) override { events.push_back(name + "begin"); }
    void controlEndEdit(CControl*) override { events.push_back(name + "end"); }
    std::string name;
    std::vector<std::string> events;
};

/** The simplest control: a CControl as such. */
class PlainControl : public CControl
{
public:
    using CControl::CControl;
};

SharedPointer<CControl> makeControl(float min, float max, IControlListener* listener = nullptr)
{
    auto control = makeOwned<PlainControl>(CRect(0, 0, 10, 10), listener, 7);
    control->setMin(min);
    control->setMax(max);
    return control;
}

} // namespace

TEST(ControlValue, NormalizedValuesAreClampedAndNaNCountsAsZero)
{
    auto control = makeControl(-36.f, 12.f);
    control->setValueNormalized(0.75f);
    EXPECT_FLOAT_EQ(control->getValue(), 0.f);
    control->setValueNormalized(1.5f);
    EXPECT_FLOAT_EQ(control->getValue(), 12.f);
    control->setValueNormalized(-0.1f);
    EXPECT_FLOAT_EQ(control->getValue(), -36.f);
    control->setValueNormalized(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(control->getValue(), -36.f);
}

TEST(ControlValue, NormalizedValueOfAnEmptyRangeIsZero)
{
    auto control = makeControl(3.f, 3.f);
    control->setValue(3.f);
    EXPECT_EQ(control->getValueNormalized(), 0.f);
}

TEST(ControlEdits, NestedEditsReachTheListenersOnce)
{
    EventLog log;
    auto control = makeControl(0.f, 1.f, &log);
    control->beginEdit();
    control->beginEdit();
    EXPECT_TRUE(control->isEditing());
    control->endEdit();
    EXPECT_TRUE(control->isEditing());
    control->endEdit();
    EXPECT_FALSE(control->isEditing());
    control->endEdit();
    EXPECT_EQ(log.events, (std::vector<std::string>{"begin", "end"}));
}

TEST(ControlEdits, TheListenerHearsFirstThenRegisteredListenersInOrder)
{
    EventLog primary("primary "), first("first "), second("second ");
    auto control = makeControl(0.f, 1.f, &primary);
    control->registerControlListener(&first);
    control->registerControlListener(&second);
    control->registerControlListener(&first);
    control->valueChanged();
    control->unregisterControlListener(&first);
    control->valueChanged();
    EXPECT_EQ(primary.events.size(), 2u);
    EXPECT_EQ(first.events.size(), 1u);
    EXPECT_EQ(second.events.size(), 2u);
}

TEST(ControlEdits, AListenerMayUnregisterAnotherDuringANotification)
{
    struct Remover : IControlListener
    {
        IControlListener* victim = nullptr;
        void valueChanged(CControl* control) override
        {
            control->unregisterControlListener(victim);
        }
    } remover;
    EventLog victim;
    remover.victim = &victim;
    auto control = makeControl(0.f, 1.f);
    control->registerControlListener(&remover);
    control->registerControlListener(&victim);
    control->valueChanged();
    EXPECT_TRUE(victim.events.empty());
}

TEST(DefaultValueClick, LeftButtonWithTheModifierAloneResetsAsOneEdit)
{
    EventLog log;
    auto control = makeControl(0.f, 1.f, &log);
    control->setDefaultValue(0.5f);
    control->setValue(0.9f);
    EXPECT_TRUE(control->checkDefaultValue(kLButton | kAlt | kDoubleClick));
    EXPECT_FLOAT_EQ(control->getValue(), 0.5f);
    EXPECT_EQ(log.events, (std::vector<std::string>{"begin", "changed 0.500000", "end"}));
    EXPECT_FALSE(control->isEditing());
    EXPECT_TRUE(control->isDirty());
}

TEST(DefaultValueClick, AtTheDefaultAlreadyItAnswersTrueAndTellsNobody)
{
    EventLog log;
    auto control = makeControl(0.f, 1.f, &log);
    control->setDefaultValue(0.5f);
    control->setValue(0.5f);
    EXPECT_TRUE(control->checkDefaultValue(kLButton | kAlt));
    EXPECT_TRUE(log.events.empty());
}

TEST(DefaultValueClick, OtherButtonsOrFurtherModifiersAreNoResetClick)
{
    auto control = makeControl(0.f, 1.f);
    control->setDefaultValue(0.5f);
    control->setValue(0.9f);
    for (int32_t buttons :
         {kLButton | kAlt | kShift, kLButton | kAlt | kControl, kLButton | kAlt | kApple,
          kRButton | kAlt, kLButton | kRButton | kAlt, int32_t(kLButton), int32_t(kAlt)})
        EXPECT_FALSE(control->checkDefaultValue(buttons)) << buttons;
    EXPECT_FLOAT_EQ(control->getValue(), 0.9f);
}

TEST(DefaultValueClick, TheTestCanBeReplaced)
{
    const auto saved = CControl::defaultValueClickTest;
    CControl::defaultValueClickTest = [](CButtonState buttons) { return buttons.isDoubleClick(); };
    auto control = makeControl(0.f, 1.f);
    control->setDefaultValue(0.25f);
    EXPECT_TRUE(control->checkDefaultValue(kLButton | kDoubleClick));
    EXPECT_FLOAT_EQ(control->getValue(), 0.25f);
    CControl::defaultValueClickTest = saved;
}

TEST(ControlDirtiness, AChangeIsDirtyUntilReportedOrDrawn)
{
    auto label = makeOwned<CParamDisplay>(CRect(0, 0, 50, 20));
    EXPECT_FALSE(label->isDirty());
    label->setValue(0.3f);
    EXPECT_TRUE(label->isDirty());
    RecordingDrawContext context;
    label->draw(&context);
    EXPECT_FALSE(label->isDirty());
    label->setValue(0.3f);
    EXPECT_FALSE(label->isDirty());
    label->setDirty(true);
    EXPECT_TRUE(label->isDirty());
}

TEST(ControlDirtiness, ReturningToTheDrawnValueBeforeARedrawIsStillReported)
{
    // A drag away and back between two redraws must leave the listeners at the final value.
    auto control = makeControl(0.f, 1.f);
    control->setValue(0.6f);
    ASSERT_TRUE(control->isDirty());
    control->valueChanged();
    EXPECT_FALSE(control->isDirty());
    control->setValue(0.f);
    EXPECT_TRUE(control->isDirty());
}

TEST(OnOffButton, AClickTogglesBetweenMinAndMaxAsOneEdit)
{
    EventLog log;
    auto button = makeOwned<COnOffButton>(CRect(0, 0, 20, 20), &log, 32);
    CPoint where(5, 5);
    EXPECT_EQ(button->onMouseDown(where, kLButton),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_FLOAT_EQ(button->getValue(), 1.f);
    button->onMouseDown(where, kLButton);
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
    EXPECT_EQ(log.events, (std::vector<std::string>{"begin", "changed 1.000000", "end", "begin",
                                                    "changed 0.000000", "end"}));
    EXPECT_EQ(button->onMouseDown(where, kRButton), kMouseEventNotHandled);
    EXPECT_FLOAT_EQ(button->getValue(), 0.f);
}

TEST(Drawing, ViewsDrawInFrameCoordinatesThroughNestedContainers)
{
    auto frame = makeOwned<CFrame>(CRect(0, 0, 200, 200));
    auto* container = new CViewContainer(CRect(50, 40, 150, 140));
    auto* label = new CTextLabel(CRect(10, 5, 60, 25), "20Hz");
    label->setFontColor(CColor(1, 2, 3));
    container->addView(label);
    frame->addView(container);
    RecordingDrawContext context;
    frame->draw(&context);
    ASSERT_EQ(context.operations().size(), 1u);
    const auto& text = context.operations()[0];
    EXPECT_EQ(text.kind, RecordingDrawContext::Kind::Text);
    EXPECT_EQ(text.text, "20Hz");
    EXPECT_EQ(text.rect, CRect(60, 45, 110, 65));
    EXPECT_EQ(text.color, CColor(1, 2, 3));
    EXPECT_EQ(context.getOffset(), CPoint(0, 0));
}

TEST(Drawing, AValueDisplayShowsTheTextOfItsValue)
{
    auto display = makeOwned<CParamDisplay>(CRect(0, 0, 50, 20));
    display->setValue(0.5f);
    RecordingDrawContext context;
    display->draw(&context);
    EXPECT_EQ(context.operations().back().text, "0.50");
    display->setValueToStringFunction([](float value, std::string& text) {
        text = value > 0.25f ? "On" : "Off";
        return true;
    });
    display->draw(&context);
    EXPECT_EQ(context.operations().back().text, "On");
}

/** A recording context whose font is half as wide as it is high, in every glyph. */
class HalfWidthFontContext : public RecordingDrawContext
{
protected:
    double platformGetStringWidth(const UTF8String& text) override
    {
        return 0.5 * getFontSize() * static_cast<double>(text.getString().size());
    }
};

TEST(Drawing, ATextTooWideForItsBoxIsSetSmallerToFitButNotBelowTheSmallestSize)
{
    HalfWidthFontContext context;
    context.setFontSize(12.);
    // 52 wide leaves 50 for the glyphs: 8 of them at 12 fit, 10 need 10, 40 would need 2.5.
    const CRect box(0, 0, 52, 16);
    for (const char* text : {"12345678", "1234567890", "1234567890123456789012345678901234567890"})
        context.drawString(text, box, kCenterText);
    ASSERT_EQ(context.operations().size(), 3u);
    EXPECT_EQ(context.operations()[0].fontSize, 12.) << "a text that fits keeps its size";
    EXPECT_DOUBLE_EQ(context.operations()[1].fontSize, 10.);
    EXPECT_EQ(context.operations()[2].fontSize, CDrawContext::kSmallestFontSize);
    EXPECT_EQ(context.getFontSize(), 12.) << "the next text starts from the size set";
    EXPECT_EQ(RecordingDrawContext().getStringWidth("20Hz"), 0.) << "without a font";
}

TEST(Drawing, AButtonsTitleIsSetInItsOwnSizeWhateverWasDrawnBeforeIt)
{
    auto label = makeOwned<CTextLabel>(CRect(0, 0, 60, 20), "Level");
    label->setFontSize(9.);
    auto button = makeOwned<COnOffButton>(CRect(0, 20, 60, 44));
    button->setTitle("Bypass");
    RecordingDrawContext context;
    label->draw(&context);
    button->draw(&context);
    EXPECT_EQ(context.operations().back().text, "Bypass");
    EXPECT_EQ(context.operations().back().fontSize, 12.);
    button->setFontSize(14.);
    button->draw(&context);
    EXPECT_EQ(context.operations().back().fontSize, 14.);
}

TEST(ViewListeners, ViewWillDeleteComesWhileTheWholeControlStillLives)
{
    struct Watcher : ViewListenerAdapter, IControlListener
    {
        void valueChanged(CControl*) override {}
        void viewWillDelete(CView* view) override
        {
            // The control part must still be usable here.
            auto* control = dynamic_cast<CControl*>(view);
            ASSERT_NE(control, nullptr);
            control->unregisterControlListener(this);
            view->unregisterViewListener(this);
            seenValue = control->getValue();
        }
        float seenValue = 0.f;
    } watcher;
    auto* container = new CViewContainer(CRect(0, 0, 100, 100));
    auto* button = new COnOffButton(CRect(0, 0, 10, 10));
    button->setValue(1.f);
    button->registerViewListener(&watcher);
    button->registerControlListener(&watcher);
    container->addView(button);
    container->forget();
    EXPECT_FLOAT_EQ(watcher.seenValue, 1.f);
}
