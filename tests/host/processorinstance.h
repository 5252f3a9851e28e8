#pragma once

#include "host/pluginmodule.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <vector>

namespace qz::testhost {

using StateBytes = std::vector<char>;

/**
 * The audio processor of a loaded module, driven in the order a host uses: create through
 * IComponent, query IAudioProcessor, initialize with a host context; on destruction deactivate
 * if needed, terminate and release.
 */
class ProcessorInstance
{
public:
    ProcessorInstance(const PluginModule& module, const Steinberg::TUID cid);
    ~ProcessorInstance();
    ProcessorInstance(const ProcessorInstance&) = delete;
    ProcessorInstance& operator=(const ProcessorInstance&) = delete;

    Steinberg::Vst::IComponent* component() const { return componentPtr; }
    Steinberg::Vst::IAudioProcessor* processor() const { return processorPtr; }

    /** The controller class the processor names to the host. */
    Steinberg::FUID controllerClassId() const;

    Steinberg::tresult initialize();
    /** Stereo in and out. */
    Steinberg::tresult setStereoBuses();
    Steinberg::tresult
    setupProcessing(double sampleRate, Steinberg::int32 maxSamplesPerBlock,
                    Steinberg::int32 symbolicSampleSize = Steinberg::Vst::kSample32);
    Steinberg::tresult setActive(bool active);
    /** initialize, stereo buses, setupProcessing and setActive(true): ready to process. */
    Steinberg::tresult prepare(double sampleRate, Steinberg::int32 maxSamplesPerBlock,
                               Steinberg::int32 symbolicSampleSize);
    Steinberg::tresult process(Steinberg::Vst::ProcessData& data)
    {
        return processorPtr->process(data);
    }

    /** The component state as the host would save it; empty when getState fails. */
    StateBytes saveState() const;
    Steinberg::tresult restoreState(const StateBytes& bytes);

private:
    Steinberg::Vst::HostApplication hostContext;
    Steinberg::IPtr<Steinberg::Vst::IComponent> componentPtr;
    Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processorPtr;
    bool initialized = false;
    bool active = false;
};

/** Everything a stream holds, from its start. */
StateBytes streamBytes(Steinberg::IBStream& stream);

} // namespace qz::testhost
