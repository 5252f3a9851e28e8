#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <type_traits>
#include <vector>

namespace qz::testhost {

enum class BufferLayout
{
    separate, // the output has buffers of its own
    inPlace,  // each output channel is its input channel's buffer
};

/**
 * One stereo block as a host hands it to process: an input and an output bus of two channels in
 * the host's sample type (float or double), separate or in place, and the ProcessData for them.
 */
template <typename Sample> class StereoBlock
{
    static_assert(std::is_same_v<Sample, float> || std::is_same_v<Sample, double>);

public:
    static constexpr Steinberg::int32 kSampleSize =
        std::is_same_v<Sample, float> ? Steinberg::Vst::kSample32 : Steinberg::Vst::kSample64;

    explicit StereoBlock(Steinberg::int32 numSamples, BufferLayout layout = BufferLayout::separate)
        : inputs{Channel(static_cast<size_t>(numSamples)),
                 Channel(static_cast<size_t>(numSamples))},
          outputs{Channel(static_cast<size_t>(numSamples)),
                  Channel(static_cast<size_t>(numSamples))}
    {
        for (int c = 0; c < 2; ++c)
        {
            inputPointers[c] = inputs[c].data();
            outputPointers[c] =
                layout == BufferLayout::inPlace ? inputs[c].data() : outputs[c].data();
        }
        setBusBuffers(inputBus, inputPointers);
        setBusBuffers(outputBus, outputPointers);
        processData.numSamples = numSamples;
        processData.symbolicSampleSize = kSampleSize;
        processData.numInputs = 1;
        processData.numOutputs = 1;
        processData.inputs = &inputBus;
        processData.outputs = &outputBus;
    }
    StereoBlock(const StereoBlock&) = delete;
    StereoBlock& operator=(const StereoBlock&) = delete;

    Steinberg::int32 size() const { return static_cast<Steinberg::int32>(inputs[0].size()); }
    Sample* input(int channel) { return inputPointers[channel]; }
    Sample* output(int channel) { return outputPointers[channel]; }

    Steinberg::Vst::AudioBusBuffers& inputBuffers() { return inputBus; }
    Steinberg::Vst::AudioBusBuffers& outputBuffers() { return outputBus; }

    /** The ProcessData of the whole block, carrying changes (may be null). */
    Steinberg::Vst::ProcessData& data(Steinberg::Vst::IParameterChanges* changes = nullptr)
    {
        processData.inputParameterChanges = changes;
        return processData;
    }

private:
    using Channel = std::vector<Sample>;

    static void setBusBuffers(Steinberg::Vst::AudioBusBuffers& bus, Sample** pointers)
    {
        bus.numChannels = 2;
        bus.silenceFlags = 0;
        if constexpr (std::is_same_v<Sample, float>)
            bus.channelBuffers32 = pointers;
        else
            bus.channelBuffers64 = pointers;
    }

    Channel inputs[2];
    Channel outputs[2];
    Sample* inputPointers[2];
    Sample* outputPointers[2];
    Steinberg::Vst::AudioBusBuffers inputBus{};
    Steinberg::Vst::AudioBusBuffers outputBus{};
    Steinberg::Vst::ProcessData processData{};
};

} // namespace qz::testhost
