#pragma once

#include "x11host/runloop.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

namespace qz::x11host {

/**
 * The frame a Linux DAW gives an editor through setFrame: it answers the query for the host's
 * run loop and records the editor's resize requests, granting them as a host would.
 */
class HostFrame : public Steinberg::IPlugFrame
{
public:
    explicit HostFrame(RunLoop& runLoop);
    virtual ~HostFrame();
    HostFrame(const HostFrame&) = delete;
    HostFrame& operator=(const HostFrame&) = delete;

    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) override;

    int resizeRequests() const { return resizeRequestCount; }

    DECLARE_FUNKNOWN_METHODS

private:
    Steinberg::IPtr<RunLoop> runLoop;
    int resizeRequestCount = 0;
};

} // namespace qz::x11host
