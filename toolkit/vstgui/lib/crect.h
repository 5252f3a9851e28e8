#pragma once

#include "vstgui/lib/cpoint.h"

namespace VSTGUI {

/** A rectangle in pixels, half-open on its right and bottom edges. */
struct CRect
{
    double left = 0.;
    double top = 0.;
    double right = 0.;
    double bottom = 0.;

    CRect() = default;
    CRect(double l, double t, double r, double b) : left(l), top(t), right(r), bottom(b) {}
    /** The rectangle at origin with the width and height of size. */
    CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y)
    {
    }

    double getWidth() const { return right - left; }
    double getHeight() const { return bottom - top; }
    CPoint getTopLeft() const { return {left, top}; }
    CPoint getSize() const { return {getWidth(), getHeight()}; }

    CRect& offset(double dx, double dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }

    /** A point with a coordinate that is not a number lies outside. */
    bool pointInside(const CPoint& where) const
    {
        return where.x >= left && where.x < right && where.y >= top && where.y < bottom;
    }

    /** Whether the two rectangles share at least one pixel. */
    bool rectOverlap(const CRect& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }

    /** Grows the rectangle to hold other as well. */
    CRect& unite(const CRect& other)
    {
        left = left < other.left ? left : other.left;
        top = top < other.top ? top : other.top;
        right = right > other.right ? right : other.right;
        bottom = bottom > other.bottom ? bottom : other.bottom;
        return *this;
    }

    bool operator==(const CRect& other) const
    {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
    bool operator!=(const CRect& other) const { return !(*this == other); }
};

} // namespace VSTGUI
