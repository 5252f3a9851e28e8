#pragma once

#include "vstgui/lib/crect.h"
#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/platform/linux/runloophandler.h"
#include "vstgui/lib/platform/linux/x11buttonstate.h"

#include "pluginterfaces/base/smartpointer.h"

#include <xcb/xcb.h>

#include <memory>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace VSTGUI {

class CFrame;

/**
 * The X11 window that shows a frame inside a host's window. It has a connection of its own to
 * the X server, whose events the host's run loop delivers, and a fixed size: the frame's. The
 * frame's top-left corner is the window's origin; mouse events reach the frame in its parent's
 * coordinates, as every view receives them; invalid rectangles are collected and redrawn
 * through cairo after each batch of events and at each redraw tick, off screen and then copied,
 * so a drag never shows half-drawn views.
 */
class X11Frame : public IPlatformFrame
{
public:
    /** Time between two redraws of rectangles invalidated outside an event. */
    static constexpr uint32_t kRedrawIntervalMs = 16;

    /**
     * Opens the window as a child of parent and shows frame in it. Null when the X server cannot
     * be reached, the parent does not exist, or the run loop refuses the connection.
     */
    static std::unique_ptr<X11Frame> open(CFrame& frame, uint32_t parent,
                                          Steinberg::Linux::IRunLoop& runLoop);
    ~X11Frame() override;
    X11Frame(const X11Frame&) = delete;
    X11Frame& operator=(const X11Frame&) = delete;

    /** A rectangle in the frame's parent's coordinates, as the frame passes it. */
    void invalidRect(const CRect& rect) override;

    uint32_t getWindow() const { return window; }

private:
    X11Frame(CFrame& frame, Steinberg::Linux::IRunLoop& runLoop);
    bool create(uint32_t parent);
    void unregister();
    void processEvents();
    void handle(const xcb_generic_event_t& event);
    void invalidWindowRect(const CRect& rect);
    void redrawInvalid();

    CFrame& frame;
    Steinberg::IPtr<Steinberg::Linux::IRunLoop> runLoop;
    xcb_connection_t* connection = nullptr;
    uint32_t window = 0;
    cairo_surface_t* surface = nullptr;
    Steinberg::IPtr<RunLoopHandler> eventHandler;
    Steinberg::IPtr<RunLoopHandler> redrawTimer;
    std::vector<CRect> invalidRects;
    DoubleClickDetector doubleClicks;
};

} // namespace VSTGUI
