#pragma once

#include "vstgui/lib/platform/iplatformtimer.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <vector>

namespace VSTGUI {

class RunLoopTimer;

/**
 * Runs the toolkit's timers on the host's run loop. On Linux an editor has no event loop of its
 * own: each attached editor lends the run loop its host gave it, and every timer is registered
 * with the most recently lent one. When an editor is removed its run loop is given back: the
 * timers on it move to another editor's run loop, or wait, unregistered, for the next editor.
 * While any editor is attached this is the toolkit's timer factory.
 */
class RunLoopTimers : public IPlatformTimerFactory
{
public:
    static RunLoopTimers& instance();

    void lendRunLoop(Steinberg::Linux::IRunLoop& runLoop);
    void returnRunLoop(Steinberg::Linux::IRunLoop& runLoop);

    std::unique_ptr<IPlatformTimer> createTimer(uint32_t periodMs,
                                                IPlatformTimerCallback& callback) override;

private:
    friend class RunLoopTimer;
    struct Lender
    {
        Steinberg::IPtr<Steinberg::Linux::IRunLoop> runLoop;
        int editors;
    };

    Steinberg::Linux::IRunLoop* currentRunLoop() const;
    void forget(RunLoopTimer& timer);

    std::vector<Lender> lenders;
    std::vector<RunLoopTimer*> timers;
    IPlatformTimerFactory* previousFactory = nullptr;
};

/** Lends a run loop to the toolkit's timers for as long as the lease lives. */
class RunLoopLease
{
public:
    explicit RunLoopLease(Steinberg::Linux::IRunLoop& lent) : runLoop(&lent)
    {
        RunLoopTimers::instance().lendRunLoop(lent);
    }
    ~RunLoopLease() { RunLoopTimers::instance().returnRunLoop(*runLoop); }
    RunLoopLease(const RunLoopLease&) = delete;
    RunLoopLease& operator=(const RunLoopLease&) = delete;

private:
    Steinberg::IPtr<Steinberg::Linux::IRunLoop> runLoop;
};

} // namespace VSTGUI
