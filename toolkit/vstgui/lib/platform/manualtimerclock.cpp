#include "vstgui/lib/platform/manualtimerclock.h"

#include <algorithm>

namespace VSTGUI {

class ManualTimerClock::Timer : public IPlatformTimer
{
public:
    Timer(ManualTimerClock& owner, uint64_t timerId) : clock(owner), id(timerId) {}
    ~Timer() override { clock.remove(id); }

private:
    ManualTimerClock& clock;
    uint64_t id;
};

std::unique_ptr<IPlatformTimer> ManualTimerClock::createTimer(uint32_t periodMs,
                                                              IPlatformTimerCallback& callback)
{
    // A period of 0 would fire without end within one advance.
    const uint32_t period = std::max<uint32_t>(periodMs, 1);
    const uint64_t id = nextId++;
    timers.emplace(id, Entry{period, currentTime + period, &callback});
    return std::make_unique<Timer>(*this, id);
}

void ManualTimerClock::advance(uint64_t milliseconds)
{
    const uint64_t end = currentTime + milliseconds;
    for (;;)
    {
        // Earliest due first; among equal due times, the timer created first.
        auto next =
            std::min_element(timers.begin(), timers.end(), [](const auto& a, const auto& b) {
                return a.second.due < b.second.due;
            });
        if (next == timers.end() || next->second.due > end)
            break;
        currentTime = next->second.due;
        next->second.due += next->second.period;
        // The callback may destroy this timer or others; the map is looked up afresh each time.
        next->second.callback->fire();
    }
    currentTime = end;
}

} // namespace VSTGUI
