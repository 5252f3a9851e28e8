#pragma once

#include "vstgui/lib/platform/iplatformwindow.h"

namespace VSTGUI {

/**
 * Editor windows on Linux: an X11 child of the host's window (the parent handle is its X window
 * ID, kPlatformTypeX11EmbedWindowID), run by the Steinberg::Linux::IRunLoop that the host's
 * IPlugFrame offers. A host without that run loop gets no window.
 */
class X11WindowFactory : public IPlatformWindowFactory
{
public:
    std::unique_ptr<IPlatformWindow> prepare(void* parent,
                                             Steinberg::IPlugFrame* plugFrame) override;
};

} // namespace VSTGUI
