#pragma once

#include <memory>

namespace Steinberg {
class IPlugFrame;
}

namespace VSTGUI {

class CFrame;

/**
 * The platform's window of an attached editor inside the host's window. While it exists the
 * toolkit's timers run on the platform's event loop; once it shows a frame, the frame's redraw
 * requests go to it. Destroying it hides the frame and stops everything it registered.
 */
class IPlatformWindow
{
public:
    virtual ~IPlatformWindow() = default;
    /** Shows the frame, which must outlive the window; false when the window cannot be opened. */
    virtual bool show(CFrame& frame) = 0;
};

class IPlatformWindowFactory
{
public:
    virtual ~IPlatformWindowFactory() = default;
    /**
     * A window for the host's parent window, readied before the editor builds its views so that
     * their timers find the event loop; null when the host offers no parent or event loop.
     */
    virtual std::unique_ptr<IPlatformWindow> prepare(void* parent,
                                                     Steinberg::IPlugFrame* plugFrame) = 0;
};

/** The factory editors open their windows with: the one set, otherwise the platform's own. */
IPlatformWindowFactory* getPlatformWindowFactory();
/** Replaces the platform's factory (tests run editors without windows); null restores it. */
void setPlatformWindowFactory(IPlatformWindowFactory* factory);

} // namespace VSTGUI
