#include "host/processorinstance.h"

#include "public.sdk/source/common/memorystream.h"

#include <stdexcept>

namespace qz::testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

ProcessorInstance::ProcessorInstance(const PluginModule& module, const TUID cid)
    : componentPtr(module.create<IComponent>(cid))
{
    if (!componentPtr)
        throw std::runtime_error("the factory created no component");
    processorPtr = FUnknownPtr<IAudioProcessor>(componentPtr);
    if (!processorPtr)
        throw std::runtime_error("the component is no audio processor");
}

ProcessorInstance::~ProcessorInstance()
{
    if (active)
        componentPtr->setActive(false);
    if (initialized)
        componentPtr->terminate();
}

FUID ProcessorInstance::controllerClassId() const
{
    TUID cid = {};
    componentPtr->getControllerClassId(cid);
    return FUID::fromTUID(cid);
}

tresult ProcessorInstance::initialize()
{
    const tresult result = componentPtr->initialize(&hostContext);
    initialized = initialized || result == kResultOk;
    return result;
}

tresult ProcessorInstance::setStereoBuses()
{
    SpeakerArrangement in = SpeakerArr::kStereo;
    SpeakerArrangement out = SpeakerArr::kStereo;
    return processorPtr->setBusArrangements(&in, 1, &out, 1);
}

tresult ProcessorInstance::setupProcessing(double sampleRate, int32 maxSamplesPerBlock,
                                           int32 symbolicSampleSize)
{
    ProcessSetup setup{kRealtime, symbolicSampleSize, maxSamplesPerBlock, sampleRate};
    return processorPtr->setupProcessing(setup);
}

tresult ProcessorInstance::setActive(bool state)
{
    const tresult result = componentPtr->setActive(state);
    if (result == kResultOk)
        active = state;
    return result;
}

tresult ProcessorInstance::prepare(double sampleRate, int32 maxSamplesPerBlock,
                                   int32 symbolicSampleSize)
{
    tresult result = initialize();
    if (result == kResultOk && setStereoBuses() != kResultTrue)
        result = kResultFalse;
    if (result == kResultOk)
        result = setupProcessing(sampleRate, maxSamplesPerBlock, symbolicSampleSize);
    if (result == kResultOk)
        result = setActive(true);
    return result;
}

StateBytes streamBytes(IBStream& stream)
{
    int64 size = 0;
    stream.seek(0, IBStream::kIBSeekEnd, &size);
    stream.seek(0, IBStream::kIBSeekSet, nullptr);
    StateBytes bytes(static_cast<size_t>(size));
    int32 read = 0;
    stream.read(bytes.data(), static_cast<int32>(bytes.size()), &read);
    bytes.resize(static_cast<size_t>(read));
    return bytes;
}

StateBytes ProcessorInstance::saveState() const
{
    MemoryStream stream;
    if (componentPtr->getState(&stream) != kResultOk)
        return {};
    return streamBytes(stream);
}

tresult ProcessorInstance::restoreState(const StateBytes& bytes)
{
    StateBytes copy = bytes;
    MemoryStream stream(copy.data(), static_cast<TSize>(copy.size()));
    return componentPtr->setState(&stream);
}

} // namespace qz::testhost
