#include "vstgui/lib/platform/linux/x11frame.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/linux/cairodrawcontext.h"

#include <cairo-xcb.h>
#include <cairo.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace VSTGUI {

using namespace Steinberg;

namespace {
template <typename Reply> std::unique_ptr<Reply, decltype(&std::free)> ownedReply(Reply* reply)
{
    return {reply, &std::free};
}

xcb_screen_t* screenOf(xcb_connection_t* connection, int number)
{
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screens.rem && number > 0; --number)
        xcb_screen_next(&screens);
    return screens.rem ? screens.data : nullptr;
}

xcb_visualtype_t* rootVisualOf(const xcb_screen_t& screen)
{
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem;
         xcb_depth_next(&depths))
    {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
             xcb_visualtype_next(&visuals))
        {
            if (visuals.data->visual_id == screen.root_visual)
                return visuals.data;
        }
    }
    return nullptr;
}

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name)
{
    auto reply = ownedReply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

bool overlapOrTouch(const CRect& a, const CRect& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

// XEmbed: protocol version 0, and the client asks to be mapped.
constexpr uint32_t kXEmbedVersion = 0;
constexpr uint32_t kXEmbedMapped = 1;
} // namespace

std::unique_ptr<X11Frame> X11Frame::open(CFrame& frame, uint32_t parent, Linux::IRunLoop& runLoop)
{
    std::unique_ptr<X11Frame> x11Frame(new X11Frame(frame, runLoop));
    if (!x11Frame->create(parent))
        return nullptr;
    return x11Frame;
}

X11Frame::X11Frame(CFrame& shownFrame, Linux::IRunLoop& hostRunLoop)
    : frame(shownFrame), runLoop(&hostRunLoop)
{
}

bool X11Frame::create(uint32_t parent)
{
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection))
        return false;
    xcb_screen_t* screen = screenOf(connection, screenNumber);
    xcb_visualtype_t* visual = screen ? rootVisualOf(*screen) : nullptr;
    if (!visual || !ownedReply(xcb_get_geometry_reply(
                       connection, xcb_get_geometry(connection, parent), nullptr)))
        return false;

    auto width = static_cast<uint16_t>(std::max(1., frame.getViewSize().getWidth()));
    auto height = static_cast<uint16_t>(std::max(1., frame.getViewSize().getHeight()));
    window = xcb_generate_id(connection);
    // The window's own visual and colormap, so that it may sit in a parent of any depth.
    uint32_t values[] = {XCB_BACK_PIXMAP_NONE, 0,
                         XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
                             XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION,
                         screen->default_colormap};
    xcb_create_window(
        connection, screen->root_depth, window, parent, 0, 0, width, height, 0,
        XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
        XCB_CW_BACK_PIXMAP | XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP, values);
    xcb_atom_t xembedInfo = atomNamed(connection, "_XEMBED_INFO");
    uint32_t info[] = {kXEmbedVersion, kXEmbedMapped};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, xembedInfo, xembedInfo, 32, 2,
                        info);
    surface = cairo_xcb_surface_create(connection, window, visual, width, height);
    xcb_map_window(connection, window);
    xcb_flush(connection);

    eventHandler = owned(new RunLoopHandler([this] { processEvents(); }));
    if (runLoop->registerEventHandler(eventHandler, xcb_get_file_descriptor(connection)) !=
        kResultOk)
    {
        eventHandler = nullptr;
        return false;
    }
    redrawTimer = owned(new RunLoopHandler([this] { processEvents(); }));
    if (runLoop->registerTimer(redrawTimer, kRedrawIntervalMs) != kResultOk)
    {
        redrawTimer = nullptr;
        return false;
    }
    return true;
}

X11Frame::~X11Frame()
{
    unregister();
    if (surface)
    {
        // cairo keeps per-connection state; it must be gone before the connection is.
        cairo_device_t* device = cairo_device_reference(cairo_surface_get_device(surface));
        cairo_surface_finish(surface);
        cairo_surface_destroy(surface);
        cairo_device_finish(device);
        cairo_device_destroy(device);
    }
    if (window)
        xcb_destroy_window(connection, window);
    xcb_flush(connection);
    xcb_disconnect(connection);
}

void X11Frame::unregister()
{
    if (eventHandler)
    {
        eventHandler->disarm();
        runLoop->unregisterEventHandler(eventHandler);
        eventHandler = nullptr;
    }
    if (redrawTimer)
    {
        redrawTimer->disarm();
        runLoop->unregisterTimer(redrawTimer);
        redrawTimer = nullptr;
    }
}

void X11Frame::invalidRect(const CRect& rect)
{
    const CPoint origin = frame.getViewSize().getTopLeft();
    invalidWindowRect(CRect(rect).offset(-origin.x, -origin.y));
}

void X11Frame::invalidWindowRect(const CRect& rect)
{
    CRect pixels(std::floor(std::max(rect.left, 0.)), std::floor(std::max(rect.top, 0.)),
                 std::ceil(std::min(rect.right, frame.getViewSize().getWidth())),
                 std::ceil(std::min(rect.bottom, frame.getViewSize().getHeight())));
    if (!(pixels.right > pixels.left && pixels.bottom > pixels.top))
        return;
    for (auto& invalid : invalidRects)
    {
        if (overlapOrTouch(invalid, pixels))
        {
            invalid.unite(pixels);
            return;
        }
    }
    invalidRects.push_back(pixels);
}

void X11Frame::processEvents()
{
    // What an event does may close the editor and so destroy this window; the handler outlives it.
    IPtr<RunLoopHandler> open = eventHandler;
    while (auto event = ownedReply(xcb_poll_for_event(connection)))
    {
        handle(*event);
        if (!open->isArmed())
            return;
    }
    if (xcb_connection_has_error(connection))
    {
        // The server is gone; its descriptor would stay readable for ever.
        unregister();
        return;
    }
    redrawInvalid();
}

void X11Frame::handle(const xcb_generic_event_t& event)
{
    const CPoint origin = frame.getViewSize().getTopLeft();
    switch (event.response_type & 0x7f)
    {
    case XCB_EXPOSE:
    {
        auto& expose = reinterpret_cast<const xcb_expose_event_t&>(event);
        invalidWindowRect(
            CRect(expose.x, expose.y, expose.x + expose.width, expose.y + expose.height));
        break;
    }
    case XCB_BUTTON_PRESS:
    {
        auto& press = reinterpret_cast<const xcb_button_press_event_t&>(event);
        CPoint where(origin.x + press.event_x, origin.y + press.event_y);
        if (float distance = wheelDistanceOfX(press.detail))
        {
            frame.onWheel(where, distance, buttonStateOfX(press.state));
            break;
        }
        int32_t button = buttonOfX(press.detail);
        if (!button)
            break;
        int32_t buttons = buttonStateOfX(press.state)() | button;
        if (doubleClicks.press(press.detail, press.time, press.event_x, press.event_y))
            buttons |= kDoubleClick;
        frame.onMouseDown(where, buttons);
        break;
    }
    case XCB_BUTTON_RELEASE:
    {
        auto& release = reinterpret_cast<const xcb_button_release_event_t&>(event);
        int32_t button = buttonOfX(release.detail);
        if (!button)
            break;
        CPoint where(origin.x + release.event_x, origin.y + release.event_y);
        frame.onMouseUp(where, buttonStateOfX(release.state)() | button);
        break;
    }
    case XCB_MOTION_NOTIFY:
    {
        auto& motion = reinterpret_cast<const xcb_motion_notify_event_t&>(event);
        CPoint where(origin.x + motion.event_x, origin.y + motion.event_y);
        frame.onMouseMoved(where, buttonStateOfX(motion.state));
        break;
    }
    default:
        break;
    }
}

void X11Frame::redrawInvalid()
{
    if (invalidRects.empty() || !surface)
        return;
    // Views that invalidate while drawing are drawn at the next turn.
    std::vector<CRect> rects;
    rects.swap(invalidRects);
    cairo_t* cairo = cairo_create(surface);
    for (auto& rect : rects)
        cairo_rectangle(cairo, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(cairo);
    cairo_push_group(cairo);
    const CPoint origin = frame.getViewSize().getTopLeft();
    for (auto& rect : rects)
    {
        cairo_save(cairo);
        cairo_rectangle(cairo, rect.left, rect.top, rect.getWidth(), rect.getHeight());
        cairo_clip(cairo);
        cairo_set_source_rgb(cairo, 1., 1., 1.);
        cairo_paint(cairo);
        CairoDrawContext context(cairo);
        context.setOffset(CPoint(-origin.x, -origin.y));
        context.setUpdateRect(rect);
        frame.draw(&context);
        cairo_restore(cairo);
    }
    cairo_pop_group_to_source(cairo);
    cairo_paint(cairo);
    cairo_destroy(cairo);
    cairo_surface_flush(surface);
    xcb_flush(connection);
}

} // namespace VSTGUI
