#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace qz::x11host {

/** Pixels of a window as 0xRRGGBB, row by row. */
struct Image
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

/**
 * A DAW's top-level window on the display named by DISPLAY, on a connection of its own, mapped
 * before the constructor returns: the parent that an editor embeds into.
 */
class HostWindow
{
public:
    HostWindow(int width, int height);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    uint32_t windowId() const { return window; }
    /** The handle IPlugView::attached takes for kPlatformTypeX11EmbedWindowID. */
    void* parentHandle() const;

    /** Where the window's top-left pixel is on the screen. */
    struct ScreenPoint
    {
        int x = 0, y = 0;
    };
    ScreenPoint rootOrigin() const;

    /** The window's children, bottom to top. */
    std::vector<uint32_t> children() const;
    /** A child's size and position in this window; all zero when it is gone. */
    struct Geometry
    {
        int x = 0, y = 0, width = 0, height = 0;
        bool mapped = false;
    };
    Geometry childGeometry(uint32_t child) const;
    /** A window property as 32-bit items; empty when the window lacks it. */
    std::vector<uint32_t> property(uint32_t of, const std::string& name) const;

    /** What the screen shows inside the window, children included. */
    Image grab() const;

private:
    xcb_connection_t* connection = nullptr;
    uint32_t window = 0;
    int width;
    int height;
};

} // namespace qz::x11host
