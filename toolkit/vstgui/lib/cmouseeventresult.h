#pragma once

namespace VSTGUI {

/** A view's answer to a mouse event, which decides where the frame sends the press's next events.
 */
enum CMouseEventResult
{
    kMouseEventHandled = 1,
    kMouseEventNotHandled = 2,
    /** The press was taken, but its moves and its release are not wanted. */
    kMouseDownEventHandledButDontNeedMovedOrUpEvents = 3,
};

} // namespace VSTGUI
