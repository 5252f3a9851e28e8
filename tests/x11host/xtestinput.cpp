#include "x11host/xtestinput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <stdexcept>

namespace qz::x11host {

namespace {
KeySym keysymOf(XTestInput::Key key)
{
    switch (key)
    {
    case XTestInput::Key::shift:
        return XK_Shift_L;
    case XTestInput::Key::control:
        return XK_Control_L;
    case XTestInput::Key::alt:
        return XK_Alt_L;
    }
    return NoSymbol;
}
} // namespace

XTestInput::XTestInput()
{
    display = XOpenDisplay(nullptr);
    if (!display)
        throw std::runtime_error(
            "no X display: set DISPLAY or run under tests/x11host/with-xvfb.sh");
    int eventBase, errorBase, major, minor;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor))
    {
        XCloseDisplay(display);
        throw std::runtime_error("the X server lacks the XTest extension");
    }
}

XTestInput::~XTestInput()
{
    XCloseDisplay(display);
}

void XTestInput::sync()
{
    XSync(display, False);
}

void XTestInput::moveTo(int rootX, int rootY)
{
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    sync();
}

void XTestInput::press(unsigned button)
{
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    sync();
}

void XTestInput::release(unsigned button)
{
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    sync();
}

void XTestInput::keyDown(Key key)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysymOf(key)), True, CurrentTime);
    sync();
}

void XTestInput::keyUp(Key key)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysymOf(key)), False, CurrentTime);
    sync();
}

} // namespace qz::x11host
