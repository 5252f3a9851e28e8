#include "vstgui/lib/platform/linux/runlooptimers.h"

#include "vstgui/lib/platform/linux/runloophandler.h"

#include <algorithm>

namespace VSTGUI {

using namespace Steinberg;

/** One timer: a handler registered with at most one run loop at a time. */
class RunLoopTimer : public IPlatformTimer
{
public:
    RunLoopTimer(RunLoopTimers& timerOwner, uint32_t periodMs, IPlatformTimerCallback& callback)
        : owner(timerOwner), period(periodMs),
          handler(owned(new RunLoopHandler([&callback] { callback.fire(); })))
    {
    }

    ~RunLoopTimer() override
    {
        registerWith(nullptr);
        handler->disarm();
        owner.forget(*this);
    }

    /** Moves the timer to a run loop; null leaves it waiting. */
    void registerWith(Linux::IRunLoop* runLoop)
    {
        if (runLoop == registeredWith)
            return;
        if (registeredWith)
            registeredWith->unregisterTimer(handler);
        registeredWith = nullptr;
        if (runLoop && runLoop->registerTimer(handler, period) == kResultOk)
            registeredWith = runLoop;
    }

    Linux::IRunLoop* runLoop() const { return registeredWith; }

private:
    RunLoopTimers& owner;
    uint32_t period;
    IPtr<RunLoopHandler> handler;
    Linux::IRunLoop* registeredWith = nullptr;
};

RunLoopTimers& RunLoopTimers::instance()
{
    static RunLoopTimers timers;
    return timers;
}

Linux::IRunLoop* RunLoopTimers::currentRunLoop() const
{
    return lenders.empty() ? nullptr : lenders.back().runLoop.get();
}

void RunLoopTimers::lendRunLoop(Linux::IRunLoop& runLoop)
{
    if (lenders.empty())
    {
        previousFactory = getPlatformTimerFactory();
        setPlatformTimerFactory(this);
    }
    auto found = std::find_if(lenders.begin(), lenders.end(),
                              [&](const Lender& lender) { return lender.runLoop == &runLoop; });
    if (found != lenders.end())
    {
        ++found->editors;
        return;
    }
    lenders.push_back({&runLoop, 1});
    for (auto* timer : timers)
    {
        if (!timer->runLoop())
            timer->registerWith(&runLoop);
    }
}

void RunLoopTimers::returnRunLoop(Linux::IRunLoop& runLoop)
{
    auto found = std::find_if(lenders.begin(), lenders.end(),
                              [&](const Lender& lender) { return lender.runLoop == &runLoop; });
    if (found == lenders.end() || --found->editors > 0)
        return;
    // Keep the run loop alive until its timers have left it.
    IPtr<Linux::IRunLoop> leaving = found->runLoop;
    lenders.erase(found);
    for (auto* timer : timers)
    {
        if (timer->runLoop() == leaving)
            timer->registerWith(currentRunLoop());
    }
    if (lenders.empty())
        setPlatformTimerFactory(previousFactory);
}

std::unique_ptr<IPlatformTimer> RunLoopTimers::createTimer(uint32_t periodMs,
                                                           IPlatformTimerCallback& callback)
{
    auto timer = std::make_unique<RunLoopTimer>(*this, std::max<uint32_t>(periodMs, 1), callback);
    timers.push_back(timer.get());
    timer->registerWith(currentRunLoop());
    return timer;
}

void RunLoopTimers::forget(RunLoopTimer& timer)
{
    timers.erase(std::remove(timers.begin(), timers.end(), &timer), timers.end());
}

} // namespace VSTGUI
