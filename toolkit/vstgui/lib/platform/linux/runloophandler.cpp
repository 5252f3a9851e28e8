#include "vstgui/lib/platform/linux/runloophandler.h"

#include "pluginterfaces/base/smartpointer.h"

namespace VSTGUI {

using namespace Steinberg;

IMPLEMENT_REFCOUNT(RunLoopHandler)

tresult PLUGIN_API RunLoopHandler::queryInterface(const TUID queried, void** obj)
{
    QUERY_INTERFACE(queried, obj, FUnknown::iid, Linux::ITimerHandler)
    QUERY_INTERFACE(queried, obj, Linux::ITimerHandler::iid, Linux::ITimerHandler)
    QUERY_INTERFACE(queried, obj, Linux::IEventHandler::iid, Linux::IEventHandler)
    *obj = nullptr;
    return kNoInterface;
}

RunLoopHandler::RunLoopHandler(std::function<void()> callback) : function(std::move(callback))
{
    FUNKNOWN_CTOR;
}

RunLoopHandler::~RunLoopHandler()
{
    FUNKNOWN_DTOR
}

void PLUGIN_API RunLoopHandler::onTimer()
{
    run();
}

void PLUGIN_API RunLoopHandler::onFDIsSet(Linux::FileDescriptor)
{
    run();
}

void RunLoopHandler::run()
{
    IPtr<RunLoopHandler> self(this);
    // A copy, because the call may disarm this handler and so destroy the stored function.
    if (auto call = function)
        call();
}

} // namespace VSTGUI
