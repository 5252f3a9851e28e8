#include "vstgui/lib/platform/linux/x11windowfactory.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/linux/runlooptimers.h"
#include "vstgui/lib/platform/linux/x11frame.h"

#include "pluginterfaces/gui/iplugview.h"

namespace VSTGUI {

using namespace Steinberg;

namespace {
class X11EditorWindow : public IPlatformWindow
{
public:
    X11EditorWindow(uint32_t parentWindow, Linux::IRunLoop& hostRunLoop)
        : parent(parentWindow), runLoop(&hostRunLoop), lease(hostRunLoop)
    {
    }

    ~X11EditorWindow() override
    {
        if (shownFrame)
            shownFrame->setPlatformFrame(nullptr);
    }

    bool show(CFrame& frame) override
    {
        window = X11Frame::open(frame, parent, *runLoop);
        if (!window)
            return false;
        shownFrame = &frame;
        frame.setPlatformFrame(window.get());
        return true;
    }

private:
    uint32_t parent;
    IPtr<Linux::IRunLoop> runLoop;
    RunLoopLease lease;
    std::unique_ptr<X11Frame> window;
    CFrame* shownFrame = nullptr;
};
} // namespace

std::unique_ptr<IPlatformWindow> X11WindowFactory::prepare(void* parent, IPlugFrame* plugFrame)
{
    // The parent handle carries the X window ID itself, not a pointer to it.
    const auto parentWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent));
    FUnknownPtr<Linux::IRunLoop> runLoop(plugFrame);
    if (!parentWindow || !runLoop)
        return nullptr;
    return std::make_unique<X11EditorWindow>(parentWindow, *runLoop);
}

} // namespace VSTGUI
