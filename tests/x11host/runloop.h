#pragma once

#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace qz::x11host {

/**
 * The run loop a Linux DAW offers its editors: a poll loop over the registered file descriptors
 * and timers, all on the calling thread. A handler may register or unregister any handler, itself
 * included, while it runs; one that is unregistered before its turn is not called.
 *
 * Like a careful host it does not keep handlers alive by itself unless asked to: an editor that
 * frees a handler it has not unregistered is caught by the sanitizers, not hidden.
 */
class RunLoop : public Steinberg::Linux::IRunLoop
{
public:
    enum class HandlerReferences
    {
        borrowed,
        held
    };

    explicit RunLoop(HandlerReferences references = HandlerReferences::borrowed);
    virtual ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    Steinberg::tresult PLUGIN_API registerEventHandler(
        Steinberg::Linux::IEventHandler* handler, Steinberg::Linux::FileDescriptor fd) override;
    Steinberg::tresult PLUGIN_API
    unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
    Steinberg::tresult PLUGIN_API
    registerTimer(Steinberg::Linux::ITimerHandler* handler,
                  Steinberg::Linux::TimerInterval milliseconds) override;
    Steinberg::tresult PLUGIN_API
    unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

    /** Waits at most timeout for one round: the ready descriptors' handlers, then the due timers.
     */
    void runOnce(std::chrono::milliseconds timeout);
    /** Runs rounds for the whole duration. */
    void runFor(std::chrono::milliseconds duration);
    /**
     * Runs rounds until done() holds and answers true at once, without asking done() again. The
     * deadline only catches a hang: a loaded machine takes long, never that long.
     */
    bool runUntil(const std::function<bool()>& done);

    size_t eventHandlerCount() const { return eventHandlers.size(); }
    size_t timerCount() const { return timers.size(); }
    /** How often timer callbacks and descriptor callbacks ran so far. */
    uint64_t timerCallbacks() const { return timerCallCount; }
    uint64_t eventCallbacks() const { return eventCallCount; }

    DECLARE_FUNKNOWN_METHODS

private:
    using Clock = std::chrono::steady_clock;
    struct EventEntry
    {
        uint64_t id;
        Steinberg::Linux::IEventHandler* handler;
        int fd;
    };
    struct TimerEntry
    {
        uint64_t id;
        Steinberg::Linux::ITimerHandler* handler;
        Clock::duration interval;
        Clock::time_point due;
    };

    void retain(Steinberg::FUnknown* handler) const;
    void drop(Steinberg::FUnknown* handler) const;
    void dispatchReadable(std::chrono::milliseconds timeout);
    void dispatchDueTimers();
    /** Calls the handler, timed, holding a reference around the call when handlers are held. */
    template <typename Handler, typename Call> void call(Handler* handler, Call callback);

    HandlerReferences references;
    uint64_t nextId = 1;
    std::vector<EventEntry> eventHandlers;
    std::vector<TimerEntry> timers;
    uint64_t timerCallCount = 0;
    uint64_t eventCallCount = 0;
};

} // namespace qz::x11host
