#pragma once

#include "vstgui/lib/cbuttonstate.h"

#include <cstdint>

namespace VSTGUI {

/**
 * The buttons and modifier keys an X pointer event reports in its state field: buttons 1, 2 and 3
 * are kLButton, kMButton and kRButton; Shift, Control and Mod1 (Alt) are kShift, kControl and kAlt.
 * The state field describes the moment before the event, so a press or release adds its own
 * button with buttonOfX.
 */
CButtonState buttonStateOfX(uint16_t state);

/** The toolkit's bit for an X button number: 1, 2, 3, and the side buttons 8 and 9 as kButton4 and
 * kButton5; 0 for the wheel's buttons and any other. */
int32_t buttonOfX(uint8_t button);

/** Wheel notches of an X button press, positive away from the user; 0 for any other button. */
float wheelDistanceOfX(uint8_t button);

/**
 * Tells the second press of a double click: the same button again within the double-click time
 * and a few pixels of the first press. A third press starts a new pair.
 */
class DoubleClickDetector
{
public:
    static constexpr uint32_t kDoubleClickTimeMs = 400;
    static constexpr int kDoubleClickDistance = 4;

    /** Records a press at an X server time; true when it completes a double click. */
    bool press(uint8_t button, uint32_t timeMs, int x, int y);

private:
    bool pending = false;
    uint8_t lastButton = 0;
    uint32_t lastTime = 0;
    int lastX = 0;
    int lastY = 0;
};

} // namespace VSTGUI
