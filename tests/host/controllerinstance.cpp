#include "host/controllerinstance.h"

#include "public.sdk/source/common/memorystream.h"

#include <stdexcept>

namespace qz::testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

ControllerInstance::ControllerInstance(const PluginModule& module, const TUID cid)
    : controllerPtr(module.create<IEditController>(cid))
{
    if (!controllerPtr)
        throw std::runtime_error("the factory created no edit controller");
}

ControllerInstance::~ControllerInstance()
{
    if (initialized)
        controllerPtr->terminate();
}

IPtr<IEditController2> ControllerInstance::controller2() const
{
    return FUnknownPtr<IEditController2>(controllerPtr);
}

tresult ControllerInstance::initialize()
{
    return initialize(&hostContext);
}

tresult ControllerInstance::initialize(FUnknown* context)
{
    const tresult result = controllerPtr->initialize(context);
    initialized = initialized || result == kResultOk;
    return result;
}

tresult ControllerInstance::terminate()
{
    initialized = false;
    return controllerPtr->terminate();
}

tresult ControllerInstance::setComponentState(const StateBytes& bytes)
{
    StateBytes copy = bytes;
    MemoryStream stream(copy.data(), static_cast<TSize>(copy.size()));
    return controllerPtr->setComponentState(&stream);
}

std::vector<ParamValue> ControllerInstance::normalizedValues(int32 count) const
{
    std::vector<ParamValue> values;
    for (int32 id = 0; id < count; ++id)
        values.push_back(controllerPtr->getParamNormalized(static_cast<ParamID>(id)));
    return values;
}

} // namespace qz::testhost
