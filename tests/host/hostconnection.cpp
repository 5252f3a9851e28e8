#include "host/hostconnection.h"

#include "public.sdk/source/common/memorystream.h"

#include <stdexcept>

namespace qz::testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

HostConnection::HostConnection(ProcessorInstance& processorInstance,
                               ControllerInstance& controllerInstance)
    : processor(processorInstance), controller(controllerInstance),
      processorPoint(FUnknownPtr<IConnectionPoint>(processorInstance.component())),
      controllerPoint(FUnknownPtr<IConnectionPoint>(controllerInstance.controller())),
      handler(owned(new RecordingComponentHandler))
{
    if (!processorPoint || !controllerPoint)
        throw std::runtime_error("processor and controller must both be connection points");
    if (processorPoint->connect(controllerPoint) != kResultOk ||
        controllerPoint->connect(processorPoint) != kResultOk)
        throw std::runtime_error("processor and controller refused to connect");
    controller.controller()->setComponentHandler(handler);
}

HostConnection::~HostConnection()
{
    controller.controller()->setComponentHandler(nullptr);
    controllerPoint->disconnect(processorPoint);
    processorPoint->disconnect(controllerPoint);
}

tresult HostConnection::mirrorProcessorState()
{
    MemoryStream stream;
    if (const tresult result = processor.component()->getState(&stream); result != kResultOk)
        return result;
    stream.seek(0, IBStream::kIBSeekSet, nullptr);
    return controller.controller()->setComponentState(&stream);
}

} // namespace qz::testhost
