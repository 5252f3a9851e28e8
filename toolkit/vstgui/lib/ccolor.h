#pragma once

#include <cstdint>

namespace VSTGUI {

/** An 8-bit RGBA colour; alpha 255 is opaque. */
struct CColor
{
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;

    constexpr CColor() = default;
    constexpr CColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
        : red(r), green(g), blue(b), alpha(a)
    {
    }

    bool operator==(const CColor& other) const
    {
        return red == other.red && green == other.green && blue == other.blue &&
               alpha == other.alpha;
    }
    bool operator!=(const CColor& other) const { return !(*this == other); }
};

constexpr CColor kTransparentCColor{0, 0, 0, 0};
constexpr CColor kBlackCColor{0, 0, 0};
constexpr CColor kWhiteCColor{255, 255, 255};

} // namespace VSTGUI
