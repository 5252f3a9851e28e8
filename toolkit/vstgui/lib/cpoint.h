#pragma once

namespace VSTGUI {

/** A point in pixels; y grows downward. */
struct CPoint
{
    double x = 0.;
    double y = 0.;

    CPoint() = default;
    CPoint(double px, double py) : x(px), y(py) {}

    CPoint& offset(double dx, double dy)
    {
        x += dx;
        y += dy;
        return *this;
    }

    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const CPoint& other) const { return !(*this == other); }
};

} // namespace VSTGUI
