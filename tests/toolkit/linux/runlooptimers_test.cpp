// The toolkit's timers on the host's run loop: the ramp timer that ends in its own tick, editors
// closed while timers are pending, and editors opened and closed again and again.
#include "vstgui/lib/cvstguitimer.h"
#include "vstgui/lib/platform/linux/runlooptimers.h"

#include "x11host/runloop.h"

#include <gtest/gtest.h>

#include <chrono>

namespace VSTGUI {
namespace {

using namespace std::chrono_literals;
using qz::x11host::RunLoop;
using References = RunLoop::HandlerReferences;

class RunLoopTimersTest : public testing::TestWithParam<References>
{
protected:
    Steinberg::IPtr<RunLoop> loop = Steinberg::owned(new RunLoop(GetParam()));
    Steinberg::IPtr<RunLoop> otherLoop = Steinberg::owned(new RunLoop(GetParam()));
    RunLoopTimers& timers = RunLoopTimers::instance();
    int ticks = 0;

    SharedPointer<CVSTGUITimer> countingTimer(uint32_t periodMs)
    {
        return SharedPointer<CVSTGUITimer>::adopt(
            new CVSTGUITimer([this](CVSTGUITimer*) { ++ticks; }, periodMs));
    }
};

TEST_P(RunLoopTimersTest, ATimerTicksOnTheRunLoopOfTheAttachedEditor)
{
    timers.lendRunLoop(*loop);
    {
        const auto start = std::chrono::steady_clock::now();
        auto timer = countingTimer(10);
        EXPECT_EQ(loop->timerCount(), 1u);
        ASSERT_TRUE(loop->runUntil([&] { return ticks >= 3; }));
        // A busy machine only delays ticks; it never brings them forward.
        EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms) << "one tick per period";
    }
    EXPECT_EQ(loop->timerCount(), 0u);
    timers.returnRunLoop(*loop);
}

TEST_P(RunLoopTimersTest, ATimerThatGivesUpItsLastReferenceInItsOwnTickStopsThere)
{
    timers.lendRunLoop(*loop);
    CVSTGUITimer* ramp = new CVSTGUITimer(
        [this, &ramp](CVSTGUITimer*) {
            ++ticks;
            ramp->forget();
            ramp = nullptr;
        },
        1);
    ASSERT_TRUE(loop->runUntil([&] { return ticks > 0; }));
    loop->runFor(20ms);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(ramp, nullptr);
    EXPECT_EQ(loop->timerCount(), 0u);
    timers.returnRunLoop(*loop);
}

TEST_P(RunLoopTimersTest, AClosedEditorLeavesNoTimerOnItsRunLoopAndTheTimerWaitsForTheNext)
{
    timers.lendRunLoop(*loop);
    auto timer = countingTimer(5);
    timers.returnRunLoop(*loop);
    EXPECT_EQ(loop->timerCount(), 0u);
    loop->runFor(20ms);
    EXPECT_EQ(ticks, 0);

    timers.lendRunLoop(*otherLoop);
    EXPECT_EQ(otherLoop->timerCount(), 1u);
    EXPECT_TRUE(otherLoop->runUntil([&] { return ticks > 0; }));
    timers.returnRunLoop(*otherLoop);
    EXPECT_EQ(otherLoop->timerCount(), 0u);
}

TEST_P(RunLoopTimersTest, TimersMoveToAnOpenEditorsRunLoopWhenAnotherCloses)
{
    timers.lendRunLoop(*loop);
    timers.lendRunLoop(*otherLoop);
    auto timer = countingTimer(5);
    EXPECT_EQ(otherLoop->timerCount(), 1u);
    timers.returnRunLoop(*otherLoop);
    EXPECT_EQ(otherLoop->timerCount(), 0u);
    EXPECT_EQ(loop->timerCount(), 1u);
    EXPECT_TRUE(loop->runUntil([&] { return ticks > 0; }));
    timer = nullptr;
    timers.returnRunLoop(*loop);
    EXPECT_EQ(loop->timerCount(), 0u);
}

TEST_P(RunLoopTimersTest, TwoEditorsOnOneRunLoopKeepItUntilBothAreClosed)
{
    timers.lendRunLoop(*loop);
    timers.lendRunLoop(*loop);
    auto timer = countingTimer(5);
    timers.returnRunLoop(*loop);
    EXPECT_EQ(loop->timerCount(), 1u);
    timers.returnRunLoop(*loop);
    EXPECT_EQ(loop->timerCount(), 0u);
}

TEST_P(RunLoopTimersTest, RepeatedOpeningAndClosingLeavesNothingRegistered)
{
    for (int cycle = 0; cycle < 100; ++cycle)
    {
        timers.lendRunLoop(*loop);
        auto idle = countingTimer(1);
        auto ramp = countingTimer(1);
        loop->runOnce(2ms);
        ramp = nullptr;
        timers.returnRunLoop(*loop);
        ASSERT_EQ(loop->timerCount(), 0u);
    }
}

TEST_P(RunLoopTimersTest, TheToolkitUsesTheRunLoopOnlyWhileAnEditorIsAttached)
{
    IPlatformTimerFactory* before = getPlatformTimerFactory();
    timers.lendRunLoop(*loop);
    EXPECT_EQ(getPlatformTimerFactory(), &timers);
    timers.returnRunLoop(*loop);
    EXPECT_EQ(getPlatformTimerFactory(), before);
}

INSTANTIATE_TEST_SUITE_P(HostsThatBorrowOrHoldHandlers, RunLoopTimersTest,
                         testing::Values(References::borrowed, References::held),
                         [](const testing::TestParamInfo<References>& test) {
                             return test.param == References::held ? "held" : "borrowed";
                         });

} // namespace
} // namespace VSTGUI
