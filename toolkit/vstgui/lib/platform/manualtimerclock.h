#pragma once

#include "vstgui/lib/platform/iplatformtimer.h"

#include <map>

namespace VSTGUI {

/**
 * A timer platform for running without a window: its timers fire only when the clock is advanced
 * by hand, in the order of their due times. Timers may be created and destroyed by the callbacks
 * that it calls. The clock must outlive its timers.
 */
class ManualTimerClock : public IPlatformTimerFactory
{
public:
    std::unique_ptr<IPlatformTimer> createTimer(uint32_t periodMs,
                                                IPlatformTimerCallback& callback) override;

    /** Moves the time on by milliseconds, firing every timer that falls due on the way. */
    void advance(uint64_t milliseconds);
    uint64_t now() const { return currentTime; }
    size_t runningTimers() const { return timers.size(); }

private:
    class Timer;
    struct Entry
    {
        uint32_t period;
        uint64_t due;
        IPlatformTimerCallback* callback;
    };

    void remove(uint64_t id) { timers.erase(id); }

    std::map<uint64_t, Entry> timers;
    uint64_t nextId = 0;
    uint64_t currentTime = 0;
};

} // namespace VSTGUI
