#pragma once

#include "vstgui/lib/crect.h"

namespace VSTGUI {

/** The window that shows a frame: it learns which parts of the frame need redrawing. */
class IPlatformFrame
{
public:
    virtual ~IPlatformFrame() = default;
    /** A rectangle in frame coordinates needs redrawing. */
    virtual void invalidRect(const CRect& rect) = 0;
};

} // namespace VSTGUI
