#pragma once

#include "vstgui/lib/cviewcontainer.h"

namespace VSTGUI {

class IPlatformFrame;

/**
 * The root of an editor's view tree. The window that shows it feeds it the mouse events (in frame
 * coordinates) through the container's dispatch and is told what to redraw. Without a window the
 * frame works the same and redraw requests go nowhere.
 */
class CFrame : public CViewContainer
{
public:
    explicit CFrame(const CRect& size);

    /** The window the frame is shown in, or null; not owned. */
    void setPlatformFrame(IPlatformFrame* window) { platformFrame = window; }
    IPlatformFrame* getPlatformFrame() const { return platformFrame; }

    void invalidRect(const CRect& localRect) override;

private:
    IPlatformFrame* platformFrame = nullptr;
};

} // namespace VSTGUI
