#pragma once

#include "vstgui/lib/platform/iplatformtimer.h"
#include "vstgui/lib/vstguibase.h"

#include <functional>

namespace VSTGUI {

/**
 * A reference-counted timer that calls its callback on the GUI thread every fireTime
 * milliseconds through the platform's timer. While the callback runs the timer holds a reference
 * to itself, so the callback may give up the last outside reference.
 */
class CVSTGUITimer : public CBaseObject, private IPlatformTimerCallback
{
public:
    using CallbackFunc = std::function<void(CVSTGUITimer*)>;

    CVSTGUITimer(CallbackFunc callback, uint32_t fireTime = 100, bool doStart = true);

    /** Starts the timer; false when it already runs or the platform has no timer. */
    bool start();
    /** Stops the timer; false when it was not running. */
    bool stop();
    bool isRunning() const { return platformTimer != nullptr; }

    /** Changes the period; a running timer restarts with it. */
    void setFireTime(uint32_t newFireTime);
    uint32_t getFireTime() const { return fireTime; }

protected:
    ~CVSTGUITimer() override;

private:
    void fire() override;

    CallbackFunc callback;
    uint32_t fireTime;
    std::unique_ptr<IPlatformTimer> platformTimer;
};

} // namespace VSTGUI
