#pragma once

#include <cstdint>

namespace VSTGUI {

enum CButton : int32_t
{
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
    /** Marks the second press of a double click. */
    kDoubleClick = 1 << 10,
};

constexpr int32_t kButtonMask = kLButton | kMButton | kRButton | kButton4 | kButton5;
constexpr int32_t kModifierMask = kShift | kControl | kAlt | kApple;

/** The mouse buttons and modifier keys of one mouse event. */
class CButtonState
{
public:
    CButtonState(int32_t bits = 0) : state(bits) {}

    int32_t getButtonState() const { return state & kButtonMask; }
    int32_t getModifierState() const { return state & kModifierMask; }
    bool isLeftButton() const { return (state & kLButton) != 0; }
    bool isDoubleClick() const { return (state & kDoubleClick) != 0; }

    int32_t operator()() const { return state; }
    int32_t operator&(int32_t mask) const { return state & mask; }
    bool operator==(const CButtonState& other) const { return state == other.state; }
    bool operator!=(const CButtonState& other) const { return state != other.state; }

private:
    int32_t state;
};

} // namespace VSTGUI
