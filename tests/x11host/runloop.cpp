#include "x11host/runloop.h"

#include <poll.h>

#include <algorithm>
#include <stdexcept>

namespace qz::x11host {

using namespace Steinberg;
using namespace Steinberg::Linux;

IMPLEMENT_REFCOUNT(RunLoop)

tresult PLUGIN_API RunLoop::queryInterface(const TUID queried, void** obj)
{
    QUERY_INTERFACE(queried, obj, FUnknown::iid, IRunLoop)
    QUERY_INTERFACE(queried, obj, IRunLoop::iid, IRunLoop)
    *obj = nullptr;
    return kNoInterface;
}

RunLoop::RunLoop(HandlerReferences handlerReferences) : references(handlerReferences)
{
    FUNKNOWN_CTOR;
}

RunLoop::~RunLoop()
{
    for (auto& entry : eventHandlers)
        drop(entry.handler);
    for (auto& entry : timers)
        drop(entry.handler);
    FUNKNOWN_DTOR
}

void RunLoop::retain(FUnknown* handler) const
{
    if (references == HandlerReferences::held)
        handler->addRef();
}

void RunLoop::drop(FUnknown* handler) const
{
    if (references == HandlerReferences::held)
        handler->release();
}

tresult PLUGIN_API RunLoop::registerEventHandler(IEventHandler* handler, FileDescriptor fd)
{
    if (!handler || fd < 0)
        return kInvalidArgument;
    auto same = [handler](const EventEntry& entry) { return entry.handler == handler; };
    if (std::any_of(eventHandlers.begin(), eventHandlers.end(), same))
        return kInvalidArgument;
    retain(handler);
    eventHandlers.push_back({nextId++, handler, fd});
    return kResultOk;
}

tresult PLUGIN_API RunLoop::unregisterEventHandler(IEventHandler* handler)
{
    auto found =
        std::find_if(eventHandlers.begin(), eventHandlers.end(),
                     [handler](const EventEntry& entry) { return entry.handler == handler; });
    if (found == eventHandlers.end())
        return kInvalidArgument;
    eventHandlers.erase(found);
    drop(handler);
    return kResultOk;
}

tresult PLUGIN_API RunLoop::registerTimer(ITimerHandler* handler, TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0)
        return kInvalidArgument;
    auto same = [handler](const TimerEntry& entry) { return entry.handler == handler; };
    if (std::any_of(timers.begin(), timers.end(), same))
        return kInvalidArgument;
    retain(handler);
    auto interval = std::chrono::milliseconds(milliseconds);
    timers.push_back({nextId++, handler, interval, Clock::now() + interval});
    return kResultOk;
}

tresult PLUGIN_API RunLoop::unregisterTimer(ITimerHandler* handler)
{
    auto found = std::find_if(timers.begin(), timers.end(), [handler](const TimerEntry& entry) {
        return entry.handler == handler;
    });
    if (found == timers.end())
        return kInvalidArgument;
    timers.erase(found);
    drop(handler);
    return kResultOk;
}

void RunLoop::runOnce(std::chrono::milliseconds timeout)
{
    auto wait = timeout;
    auto now = Clock::now();
    for (auto& timer : timers)
    {
        auto untilDue = std::chrono::ceil<std::chrono::milliseconds>(timer.due - now);
        wait = std::clamp(untilDue, std::chrono::milliseconds(0), wait);
    }
    dispatchReadable(wait);
    dispatchDueTimers();
}

template <typename Handler, typename Call> void RunLoop::call(Handler* handler, Call callback)
{
    retain(handler);
    callback(handler);
    drop(handler);
}

void RunLoop::dispatchReadable(std::chrono::milliseconds timeout)
{
    std::vector<pollfd> descriptors;
    std::vector<uint64_t> ids;
    for (auto& entry : eventHandlers)
    {
        descriptors.push_back({entry.fd, POLLIN, 0});
        ids.push_back(entry.id);
    }
    if (poll(descriptors.data(), descriptors.size(), static_cast<int>(timeout.count())) <= 0)
        return;
    for (size_t i = 0; i < descriptors.size(); ++i)
    {
        if (descriptors[i].revents & POLLNVAL)
            throw std::logic_error("an editor closed a descriptor it had not unregistered");
        if (descriptors[i].revents == 0)
            continue;
        // Earlier handlers of this round may have unregistered this one.
        auto found = std::find_if(eventHandlers.begin(), eventHandlers.end(),
                                  [&](const EventEntry& entry) { return entry.id == ids[i]; });
        if (found == eventHandlers.end())
            continue;
        ++eventCallCount;
        int fd = descriptors[i].fd;
        call(found->handler, [fd](IEventHandler* handler) { handler->onFDIsSet(fd); });
    }
}

void RunLoop::dispatchDueTimers()
{
    auto now = Clock::now();
    std::vector<uint64_t> due;
    for (auto& timer : timers)
    {
        if (timer.due <= now)
            due.push_back(timer.id);
    }
    for (auto id : due)
    {
        auto found = std::find_if(timers.begin(), timers.end(),
                                  [id](const TimerEntry& entry) { return entry.id == id; });
        if (found == timers.end())
            continue;
        found->due += found->interval;
        if (found->due <= now)
            found->due = now + found->interval;
        ++timerCallCount;
        call(found->handler, [](ITimerHandler* handler) { handler->onTimer(); });
    }
}

void RunLoop::runFor(std::chrono::milliseconds duration)
{
    auto end = Clock::now() + duration;
    for (auto now = Clock::now(); now < end; now = Clock::now())
        runOnce(std::chrono::ceil<std::chrono::milliseconds>(end - now));
}

bool RunLoop::runUntil(const std::function<bool()>& done)
{
    constexpr std::chrono::seconds kHangDeadline{20};
    const auto end = Clock::now() + kHangDeadline;
    while (!done())
    {
        const auto now = Clock::now();
        if (now >= end)
            return false;
        runOnce(std::min(std::chrono::ceil<std::chrono::milliseconds>(end - now),
                         std::chrono::milliseconds(10)));
    }
    return true;
}

} // namespace qz::x11host
