// The test host's run loop is what the editor's timers and X events ride on; if it dispatched
// a handler after its unregistration, the editor's own re-entrancy could never be judged.
#include "x11host/runloop.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <functional>

namespace qz::x11host {
namespace {

using namespace Steinberg;
using namespace std::chrono_literals;

class CallbackTimer : public Linux::ITimerHandler
{
public:
    std::function<void()> onTick;
    int ticks = 0;

    void PLUGIN_API onTimer() override
    {
        ++ticks;
        if (onTick)
            onTick();
    }
    tresult PLUGIN_API queryInterface(const TUID, void** obj) override
    {
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
};

class CallbackReader : public Linux::IEventHandler
{
public:
    std::function<void(int)> onReadable;
    int calls = 0;

    void PLUGIN_API onFDIsSet(Linux::FileDescriptor fd) override
    {
        ++calls;
        if (onReadable)
            onReadable(fd);
    }
    tresult PLUGIN_API queryInterface(const TUID, void** obj) override
    {
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
};

TEST(RunLoop, ATimerThatUnregistersItselfInItsTickIsNeverCalledAgain)
{
    RunLoop loop;
    CallbackTimer timer;
    timer.onTick = [&] { loop.unregisterTimer(&timer); };
    ASSERT_EQ(loop.registerTimer(&timer, 1), kResultOk);
    ASSERT_TRUE(loop.runUntil([&] { return timer.ticks > 0; }));
    loop.runFor(30ms);
    EXPECT_EQ(timer.ticks, 1);
    EXPECT_EQ(loop.timerCount(), 0u);
}

TEST(RunLoop, ATimerUnregisteredByAnEarlierOneOfTheSameRoundIsSkipped)
{
    RunLoop loop;
    CallbackTimer first, second;
    first.onTick = [&] { loop.unregisterTimer(&second); };
    ASSERT_EQ(loop.registerTimer(&first, 5), kResultOk);
    ASSERT_EQ(loop.registerTimer(&second, 5), kResultOk);
    ASSERT_TRUE(loop.runUntil([&] { return first.ticks > 0; }));
    EXPECT_EQ(second.ticks, 0);
}

TEST(RunLoop, ATimerRegisteredDuringATickWaitsForItsOwnInterval)
{
    RunLoop loop;
    CallbackTimer starter, started;
    std::chrono::steady_clock::time_point registered, firstTick;
    starter.onTick = [&] {
        loop.unregisterTimer(&starter);
        registered = std::chrono::steady_clock::now();
        loop.registerTimer(&started, 40);
    };
    started.onTick = [&] {
        if (started.ticks == 1)
            firstTick = std::chrono::steady_clock::now();
    };
    ASSERT_EQ(loop.registerTimer(&starter, 1), kResultOk);
    ASSERT_TRUE(loop.runUntil([&] { return started.ticks > 0; }));
    // A busy machine only delays the tick; it never brings it forward.
    EXPECT_GE(firstTick - registered, 40ms);
}

TEST(RunLoop, AReadableDescriptorCallsItsHandlerUntilDrained)
{
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    RunLoop loop;
    CallbackReader reader;
    reader.onReadable = [&](int fd) {
        char byte;
        EXPECT_EQ(read(fd, &byte, 1), 1);
    };
    ASSERT_EQ(loop.registerEventHandler(&reader, pipeEnds[0]), kResultOk);
    loop.runOnce(0ms);
    EXPECT_EQ(reader.calls, 0);
    ASSERT_EQ(write(pipeEnds[1], "ab", 2), 2);
    ASSERT_TRUE(loop.runUntil([&] { return reader.calls >= 2; }));
    loop.runFor(20ms);
    EXPECT_EQ(reader.calls, 2);
    EXPECT_EQ(loop.unregisterEventHandler(&reader), kResultOk);
    EXPECT_EQ(loop.unregisterEventHandler(&reader), kInvalidArgument);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
}

TEST(RunLoop, RefusesTheSameHandlerTwice)
{
    RunLoop loop;
    CallbackTimer timer;
    EXPECT_EQ(loop.registerTimer(&timer, 10), kResultOk);
    EXPECT_EQ(loop.registerTimer(&timer, 10), kInvalidArgument);
    EXPECT_EQ(loop.unregisterTimer(&timer), kResultOk);
}

} // namespace
} // namespace qz::x11host
