#include "vstgui/lib/cvstguitimer.h"

namespace VSTGUI {

CVSTGUITimer::CVSTGUITimer(CallbackFunc timerCallback, uint32_t period, bool doStart)
    : callback(std::move(timerCallback)), fireTime(period)
{
    if (doStart)
        start();
}

CVSTGUITimer::~CVSTGUITimer() = default;

bool CVSTGUITimer::start()
{
    if (platformTimer)
        return false;
    if (auto* factory = getPlatformTimerFactory())
        platformTimer = factory->createTimer(fireTime, *this);
    return platformTimer != nullptr;
}

bool CVSTGUITimer::stop()
{
    if (!platformTimer)
        return false;
    platformTimer.reset();
    return true;
}

void CVSTGUITimer::setFireTime(uint32_t newFireTime)
{
    fireTime = newFireTime;
    if (stop())
        start();
}

void CVSTGUITimer::fire()
{
    SharedPointer<CVSTGUITimer> self(this);
    if (callback)
        callback(this);
}

} // namespace VSTGUI
