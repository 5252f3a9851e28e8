#pragma once

#include <cstdint>
#include <memory>

namespace VSTGUI {

/** What a platform timer calls at each period. */
class IPlatformTimerCallback
{
public:
    virtual void fire() = 0;

protected:
    ~IPlatformTimerCallback() = default;
};

/**
 * A running timer of the platform, which calls its callback on the GUI thread; destroying it
 * stops it, also from inside its own callback.
 */
class IPlatformTimer
{
public:
    virtual ~IPlatformTimer() = default;
};

class IPlatformTimerFactory
{
public:
    virtual ~IPlatformTimerFactory() = default;
    /** A running timer, or null when the platform offers none. */
    virtual std::unique_ptr<IPlatformTimer> createTimer(uint32_t periodMs,
                                                        IPlatformTimerCallback& callback) = 0;
};

/** The factory through which every CVSTGUITimer runs; null (no timers run) until one is set. */
IPlatformTimerFactory* getPlatformTimerFactory();
void setPlatformTimerFactory(IPlatformTimerFactory* factory);

} // namespace VSTGUI
