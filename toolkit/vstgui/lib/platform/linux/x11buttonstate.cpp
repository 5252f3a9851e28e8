#include "vstgui/lib/platform/linux/x11buttonstate.h"

#include <xcb/xproto.h>

#include <cstdlib>

namespace VSTGUI {

CButtonState buttonStateOfX(uint16_t state)
{
    int32_t bits = 0;
    if (state & XCB_BUTTON_MASK_1)
        bits |= kLButton;
    if (state & XCB_BUTTON_MASK_2)
        bits |= kMButton;
    if (state & XCB_BUTTON_MASK_3)
        bits |= kRButton;
    if (state & XCB_MOD_MASK_SHIFT)
        bits |= kShift;
    if (state & XCB_MOD_MASK_CONTROL)
        bits |= kControl;
    if (state & XCB_MOD_MASK_1)
        bits |= kAlt;
    return bits;
}

int32_t buttonOfX(uint8_t button)
{
    switch (button)
    {
    case 1:
        return kLButton;
    case 2:
        return kMButton;
    case 3:
        return kRButton;
    case 8:
        return kButton4;
    case 9:
        return kButton5;
    default:
        return 0;
    }
}

float wheelDistanceOfX(uint8_t button)
{
    switch (button)
    {
    case 4:
        return 1.f;
    case 5:
        return -1.f;
    default:
        return 0.f;
    }
}

bool DoubleClickDetector::press(uint8_t button, uint32_t timeMs, int x, int y)
{
    // X server times are milliseconds that wrap around; the unsigned difference survives the wrap.
    bool second = pending && button == lastButton && timeMs - lastTime <= kDoubleClickTimeMs &&
                  std::abs(x - lastX) <= kDoubleClickDistance &&
                  std::abs(y - lastY) <= kDoubleClickDistance;
    pending = !second;
    lastButton = button;
    lastTime = timeMs;
    lastX = x;
    lastY = y;
    return second;
}

} // namespace VSTGUI
