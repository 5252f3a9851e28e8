#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/controls/cmousewheeleditingsupport.h"
#include "vstgui/lib/controls/icontrollistener.h"
#include "vstgui/lib/cvstguitimer.h"
#include "vstgui/lib/platform/manualtimerclock.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VSTGUI;

namespace {

/** Installs a hand-advanced clock as the timer platform for one test. */
class Timers : public ::testing::Test
{
protected:
    void SetUp() override { setPlatformTimerFactory(&clock); }
    void TearDown() override { setPlatformTimerFactory(nullptr); }
    ManualTimerClock clock;
};

} // namespace

TEST_F(Timers, ATimerFiresOncePerPeriodFromItsStart)
{
    std::vector<uint64_t> firedAt;
    auto timer =
        makeOwned<CVSTGUITimer>([&](CVSTGUITimer*) { firedAt.push_back(clock.now()); }, 16);
    clock.advance(15);
    EXPECT_TRUE(firedAt.empty());
    clock.advance(40);
    EXPECT_EQ(firedAt, (std::vector<uint64_t>{16, 32, 48}));
}

TEST_F(Timers, TimersFireInTheOrderOfTheirDueTimes)
{
    std::vector<int> order;
    auto slow = makeOwned<CVSTGUITimer>([&](CVSTGUITimer*) { order.push_back(30); }, 30);
    auto fast = makeOwned<CVSTGUITimer>([&](CVSTGUITimer*) { order.push_back(20); }, 20);
    clock.advance(60);
    EXPECT_EQ(order, (std::vector<int>{20, 30, 20, 30, 20}));
}

TEST_F(Timers, ACallbackMayReleaseTheLastReferenceToItsOwnTimer)
{
    int ticks = 0;
    SharedPointer<CVSTGUITimer> timer;
    timer = makeOwned<CVSTGUITimer>(
        [&](CVSTGUITimer* self) {
            ++ticks;
            timer = nullptr;
            // The timer keeps itself alive until the callback returns.
            EXPECT_EQ(self->getFireTime(), 16u);
        },
        16);
    clock.advance(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(clock.runningTimers(), 0u);
}

TEST_F(Timers, AStoppedTimerStaysQuietUntilStartedAgain)
{
    int ticks = 0;
    auto timer = makeOwned<CVSTGUITimer>([&](CVSTGUITimer* self) {
        ++ticks;
        self->stop();
    });
    clock.advance(1000);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer->isRunning());
    EXPECT_TRUE(timer->start());
    EXPECT_FALSE(timer->start());
    clock.advance(100);
    EXPECT_EQ(ticks, 2);
}

TEST_F(Timers, ATimerNotStartedAtCreationDoesNotRun)
{
    int ticks = 0;
    auto timer = makeOwned<CVSTGUITimer>([&](CVSTGUITimer*) { ++ticks; }, 10, false);
    clock.advance(100);
    EXPECT_EQ(ticks, 0);
}

TEST(TimersWithoutPlatform, ATimerWithoutPlatformDoesNotRun)
{
    auto timer = makeOwned<CVSTGUITimer>([](CVSTGUITimer*) {}, 10);
    EXPECT_FALSE(timer->isRunning());
}

namespace {

struct EditCounter : IControlListener
{
    void valueChanged(CControl*) override {}
    void controlBeginEdit(CControl*) override { ++begins; }
    void controlEndEdit(CControl*) override { ++ends; }
    int begins = 0;
    int ends = 0;
};

class WheelControl : public CControl, public CMouseWheelEditingSupport
{
public:
    explicit WheelControl(IControlListener* listener) : CControl(CRect(0, 0, 10, 10), listener) {}
    bool onWheel(const CPoint&, float distance, const CButtonState&) override
    {
        onMouseWheelEditing(this);
        setValueNormalized(getValueNormalized() + distance * getWheelInc());
        valueChanged();
        return true;
    }
    void press() { stopWheelEditTimer(this); }
};

} // namespace

TEST_F(Timers, WheelTurnsOfOneGestureMakeOneEditThatEndsWhenTheWheelRests)
{
    EditCounter counter;
    auto control = makeOwned<WheelControl>(&counter);
    for (int turn = 0; turn < 3; ++turn)
    {
        control->onWheel(CPoint(), 1.f, 0);
        clock.advance(CMouseWheelEditingSupport::wheelEditTimeoutMs - 1);
    }
    EXPECT_EQ(counter.begins, 1);
    EXPECT_EQ(counter.ends, 0);
    clock.advance(1);
    EXPECT_EQ(counter.ends, 1);
    EXPECT_FALSE(control->isEditing());
    EXPECT_EQ(clock.runningTimers(), 0u);
}

TEST_F(Timers, StoppingWheelEditingClosesTheOpenEditOnce)
{
    EditCounter counter;
    auto control = makeOwned<WheelControl>(&counter);
    control->onWheel(CPoint(), 1.f, 0);
    control->press();
    EXPECT_EQ(counter.ends, 1);
    EXPECT_EQ(clock.runningTimers(), 0u);
    control->beginEdit();
    control->beginEdit();
    control->press();
    EXPECT_TRUE(control->isEditing());
}
