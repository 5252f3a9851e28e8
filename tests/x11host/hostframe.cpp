#include "x11host/hostframe.h"

namespace qz::x11host {

using namespace Steinberg;

IMPLEMENT_REFCOUNT(HostFrame)

tresult PLUGIN_API HostFrame::queryInterface(const TUID queried, void** obj)
{
    QUERY_INTERFACE(queried, obj, FUnknown::iid, IPlugFrame)
    QUERY_INTERFACE(queried, obj, IPlugFrame::iid, IPlugFrame)
    if (FUnknownPrivate::iidEqual(queried, Linux::IRunLoop::iid))
        return runLoop->queryInterface(queried, obj);
    *obj = nullptr;
    return kNoInterface;
}

HostFrame::HostFrame(RunLoop& loop) : runLoop(&loop)
{
    FUNKNOWN_CTOR;
}

HostFrame::~HostFrame()
{
    FUNKNOWN_DTOR;
}

tresult PLUGIN_API HostFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
    ++resizeRequestCount;
    if (!view || !newSize)
        return kInvalidArgument;
    return view->onSize(newSize);
}

} // namespace qz::x11host
