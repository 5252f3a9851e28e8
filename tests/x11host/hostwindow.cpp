#include "x11host/hostwindow.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace qz::x11host {

namespace {
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> owned(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}
} // namespace

HostWindow::HostWindow(int windowWidth, int windowHeight) : width(windowWidth), height(windowHeight)
{
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection))
    {
        xcb_disconnect(connection);
        throw std::runtime_error(
            "no X display: set DISPLAY or run under tests/x11host/with-xvfb.sh");
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    xcb_screen_t* screen = screens.data;

    window = xcb_generate_id(connection);
    uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0,
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_map_window(connection, window);
    xcb_flush(connection);
    while (auto event = owned(xcb_wait_for_event(connection)))
    {
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
            return;
    }
    xcb_disconnect(connection);
    throw std::runtime_error("the X server closed the connection");
}

HostWindow::~HostWindow()
{
    xcb_destroy_window(connection, window);
    xcb_disconnect(connection);
}

void* HostWindow::parentHandle() const
{
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window));
}

HostWindow::ScreenPoint HostWindow::rootOrigin() const
{
    auto setup = xcb_setup_roots_iterator(xcb_get_setup(connection));
    auto reply = owned(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, setup.data->root, 0, 0),
        nullptr));
    if (!reply)
        return {};
    return {reply->dst_x, reply->dst_y};
}

std::vector<uint32_t> HostWindow::children() const
{
    auto reply =
        owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!reply)
        return {};
    auto first = xcb_query_tree_children(reply.get());
    return std::vector<uint32_t>(first, first + xcb_query_tree_children_length(reply.get()));
}

HostWindow::Geometry HostWindow::childGeometry(uint32_t child) const
{
    Geometry geometry;
    auto shape =
        owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, child), nullptr));
    auto attributes = owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, child), nullptr));
    if (!shape || !attributes)
        return geometry;
    geometry.x = shape->x;
    geometry.y = shape->y;
    geometry.width = shape->width;
    geometry.height = shape->height;
    geometry.mapped = attributes->map_state != XCB_MAP_STATE_UNMAPPED;
    return geometry;
}

std::vector<uint32_t> HostWindow::property(uint32_t of, const std::string& name) const
{
    auto atom = owned(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.c_str()), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return {};
    auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, of, atom->atom, XCB_ATOM_ANY, 0, 64), nullptr));
    if (!reply || reply->format != 32)
        return {};
    auto first = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<uint32_t>(first, first + xcb_get_property_value_length(reply.get()) / 4);
}

Image HostWindow::grab() const
{
    auto reply = owned(xcb_get_image_reply(connection,
                                           xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP,
                                                         window, 0, 0, static_cast<uint16_t>(width),
                                                         static_cast<uint16_t>(height), ~0u),
                                           nullptr));
    Image image;
    size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (!reply || static_cast<size_t>(xcb_get_image_data_length(reply.get())) != count * 4)
        throw std::runtime_error("the X server gave no 32-bit image of the window");
    image.width = width;
    image.height = height;
    image.pixels.resize(count);
    std::memcpy(image.pixels.data(), xcb_get_image_data(reply.get()), count * 4);
    for (auto& pixel : image.pixels)
        pixel &= 0xffffff;
    return image;
}

} // namespace qz::x11host
