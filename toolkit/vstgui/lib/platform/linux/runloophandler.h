#pragma once

#include "pluginterfaces/gui/iplugview.h"

#include <functional>

namespace VSTGUI {

/**
 * What the toolkit registers with the host's run loop, as a timer or as a descriptor handler: it
 * forwards each call to a function until disarmed. It is reference counted because a host may
 * keep it past its unregistration, and it keeps itself alive while its function runs, so the
 * function may unregister and release it.
 */
class RunLoopHandler : public Steinberg::Linux::ITimerHandler,
                       public Steinberg::Linux::IEventHandler
{
public:
    explicit RunLoopHandler(std::function<void()> callback);
    virtual ~RunLoopHandler();
    RunLoopHandler(const RunLoopHandler&) = delete;
    RunLoopHandler& operator=(const RunLoopHandler&) = delete;

    /** From now on the host's calls do nothing. */
    void disarm() { function = nullptr; }
    bool isArmed() const { return static_cast<bool>(function); }

    void PLUGIN_API onTimer() override;
    void PLUGIN_API onFDIsSet(Steinberg::Linux::FileDescriptor fd) override;

    DECLARE_FUNKNOWN_METHODS

private:
    void run();

    std::function<void()> function;
};

} // namespace VSTGUI
