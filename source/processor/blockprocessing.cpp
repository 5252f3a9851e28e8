#include "processor/plugprocessor.h"

#include "dsp/sectioncascade.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <algorithm>
#include <cstring>

namespace Steinberg {
namespace Vst {

namespace {

/** Audio thread, no allocation, lock or wait: the first bus has buffers for channels 0 and 1. */
bool hasTwoChannels(const AudioBusBuffers* buses)
{
    return buses && buses->numChannels >= 2 && buses->channelBuffers32 &&
           buses->channelBuffers32[0] && buses->channelBuffers32[1];
}

/** Audio thread, no allocation, lock or wait: clears every channel the first output bus has
    buffers for and flags it silent. */
void silence(AudioBusBuffers* outputs, size_t channelBytes)
{
    if (!outputs || !outputs->channelBuffers32)
        return;
    uint64 flags = 0;
    for (int32 c = 0; c < outputs->numChannels; ++c)
        if (outputs->channelBuffers32[c])
        {
            std::memset(outputs->channelBuffers32[c], 0, channelBytes);
            if (c < 64)
                flags |= uint64(1) << c;
        }
    outputs->silenceFlags = flags;
}

/** Audio thread: every channel of the bus is flagged silent. */
bool allChannelsSilent(const AudioBusBuffers& bus)
{
    const uint64 all = bus.numChannels >= 64 ? ~uint64(0) : (uint64(1) << bus.numChannels) - 1;
    return (bus.silenceFlags & all) == all;
}

} // namespace

tresult PLUGIN_API PlugProcessor::process(ProcessData& data)
{
    const bool restored = takeRestoredState();
    const bool changed = takeParameterChanges(data.inputParameterChanges);
    if (restored || changed)
    {
        // The block's output depends only on the record after intake: one design covers it.
        updateFilters(false);
        reportedStates.back() = {paramState, restoresTaken};
        reportedStates.publish();
    }

    if (data.numInputs <= 0 || data.numOutputs <= 0 || data.numSamples <= 0)
        return kResultOk;

    // Bytes by the block's own sample size, so that a block in another size than the set-up's
    // never runs past its buffers.
    const size_t sampleBytes = data.symbolicSampleSize == kSample32 ? 4 : 8;
    const size_t channelBytes = static_cast<size_t>(data.numSamples) * sampleBytes;
    // A host that breaks the stereo bus contract gets silence instead of a crash.
    if (!hasTwoChannels(data.inputs) || !hasTwoChannels(data.outputs))
    {
        silence(data.outputs, channelBytes);
        return kResultOk;
    }

    AudioBusBuffers& in = data.inputs[0];
    AudioBusBuffers& out = data.outputs[0];
    const int32 channels = std::min(in.numChannels, out.numChannels);

    if (allChannelsSilent(in))
    {
        out.silenceFlags = in.silenceFlags;
        for (int32 c = 0; c < channels; ++c)
            if (out.channelBuffers32[c] && out.channelBuffers32[c] != in.channelBuffers32[c])
                std::memset(out.channelBuffers32[c], 0, channelBytes);
        return kResultOk;
    }
    out.silenceFlags = 0;

    if (paramState.bypass)
    {
        for (int32 c = 0; c < channels; ++c)
            if (in.channelBuffers32[c] && out.channelBuffers32[c] &&
                out.channelBuffers32[c] != in.channelBuffers32[c])
                std::memcpy(out.channelBuffers32[c], in.channelBuffers32[c], channelBytes);
        return kResultOk;
    }

    // Without scratch buffers (a call while inactive) the block cannot be filtered: it is silenced.
    if (scratchSize == 0)
    {
        silence(&out, channelBytes);
        return kResultOk;
    }

    if (data.symbolicSampleSize == kSample32)
        processBlock32(in.channelBuffers32, out.channelBuffers32, data.numSamples);
    else
        processBlock64(in.channelBuffers64, out.channelBuffers64, data.numSamples);
    clearNonFiniteMemories();
    return kResultOk;
}

bool PlugProcessor::takeRestoredState()
{
    if (!restoredStates.fetch())
        return false;
    paramState = restoredStates.front().state;
    restoresTaken = restoredStates.front().restoreNumber;
    return true;
}

bool PlugProcessor::takeParameterChanges(IParameterChanges* changes)
{
    if (!changes)
        return false;
    bool stored = false;
    const int32 queueCount = changes->getParameterCount();
    for (int32 i = 0; i < queueCount; ++i)
    {
        IParamValueQueue* queue = changes->getParameterData(i);
        if (!queue)
            continue;
        const int32 pointCount = queue->getPointCount();
        const ParamID id = queue->getParameterId();
        if (id > kBypassId || pointCount <= 0)
            continue;
        int32 sampleOffset = 0;
        ParamValue value = 0.0;
        if (queue->getPoint(pointCount - 1, sampleOffset, value) != kResultOk)
            continue;
        // Buggy automation must not reach the filters: out-of-range values end at the range's
        // edges, and a value that is not a number leaves the setting as it was.
        if (id == kBypassId)
            paramState.bypass = bypassFromNormalized(value);
        else
            paramState.values[id] = clampNormalized(value, paramState.values[id]);
        stored = true;
    }
    return stored;
}

void PlugProcessor::clearNonFiniteMemories()
{
    // Any infinity or not-a-number among a channel's memories makes its sum not a number.
    for (int32 first : {0, kNumBands})
    {
        double sum = 0.0;
        for (int32 s = first; s < first + kNumBands; ++s)
            sum += w1[s] * 0.0 + w2[s] * 0.0;
        if (sum != sum)
            for (int32 s = first; s < first + kNumBands; ++s)
                w1[s] = w2[s] = 0.0;
    }
}

void PlugProcessor::processBlock32(Sample32** in, Sample32** out, int32 numSamples)
{
    processBlock(in, out, numSamples);
}

void PlugProcessor::processBlock64(Sample64** in, Sample64** out, int32 numSamples)
{
    processBlock(in, out, numSamples);
}

template <typename Sample>
void PlugProcessor::processBlock(Sample** in, Sample** out, int32 numSamples)
{
    const qz::SectionArrays sections{bandGainDb, b0, b1, b2, a1, a2, w1, w2, kNumBands};
    // A host block longer than the scratch buffers is filtered in pieces; the result is the same.
    for (int32 start = 0; start < numSamples; start += scratchSize)
    {
        const int32 n = std::min(scratchSize, numSamples - start);
        const Sample* inL = in[0] + start;
        const Sample* inR = in[1] + start;
        for (int32 j = 0; j < n; ++j)
        {
            scratchL[j] = inL[j];
            scratchR[j] = inR[j];
        }

        qz::runSections(sections, scratchL, scratchR, n);

        // Locals, so that stores to the host's buffers cannot make the compiler reload them.
        Sample* outL = out[0] + start;
        Sample* outR = out[1] + start;
        const double* left = scratchL;
        const double* right = scratchR;
        const double coefA = levelCoefA, target = levelTarget, coefB = levelCoefB;
        double level = levelState;
        for (int32 j = 0; j < n; ++j)
        {
            level = level * coefA + target * coefB;
            outL[j] = static_cast<Sample>(left[j] * level);
            outR[j] = static_cast<Sample>(right[j] * level);
        }
        levelState = level;
    }
}

} // namespace Vst
} // namespace Steinberg
