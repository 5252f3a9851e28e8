#include "processor/plugprocessor.h"

#include "dsp/peakingdesign.h"
#include "factory/plugids.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace Steinberg {
namespace Vst {

namespace {

constexpr int16 kBandCentres[kNumBands] = {
    20,  25,   31,   40,   50,   63,   80,   100,  125,  160,  200,  250,   315,   400,   500,  630,
    800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};

// Distance between the edges of a third-octave band in units of its centre: 2^(1/6) - 2^(-1/6).
constexpr double kThirdOctaveWidth = 0.231563330169034;

// Longest scratch buffer: longer host blocks are filtered in pieces of this size, so an absurd
// announced block size cannot make activation claim gigabytes.
constexpr int32 kMaxScratchSamples = 8192;

bool isTwoSpeakerArrangement(SpeakerArrangement arrangement)
{
    return SpeakerArr::getChannelCount(arrangement) == 2;
}

} // namespace

PlugProcessor::PlugProcessor() : paramState(ParamState::defaults())
{
    setControllerClass(PlugControllerUID);
}

PlugProcessor::~PlugProcessor()
{
    freeScratchBuffers();
}

FUnknown* PlugProcessor::createInstance(void*)
{
    return static_cast<IAudioProcessor*>(new PlugProcessor);
}

tresult PLUGIN_API PlugProcessor::initialize(FUnknown* context)
{
    if (Component::initialize(context) != kResultOk)
        return kResultFalse;

    addAudioInput(STR16("AudioInput"), SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);
    addAudioOutput(STR16("AudioOutput"), SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);

    sampleRate = 44100.0;
    for (int32 band = 0; band < kNumBands; ++band)
        bandCentreHz[band] = kBandCentres[band];
    for (int32 s = 0; s < kNumSections; ++s)
        bandGainDb[s] = b0[s] = b1[s] = b2[s] = a1[s] = a2[s] = w1[s] = w2[s] = 0.0;
    maxSamplesPerBlock = 0;
    freeScratchBuffers();
    levelCoefB = levelCoefA = 0.0;
    levelSmoothMs = 50.0;
    return kResultOk;
}

tresult PLUGIN_API PlugProcessor::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                     SpeakerArrangement* outputs, int32 numOuts)
{
    if (numIns > 0 && (!inputs || !isTwoSpeakerArrangement(inputs[0])))
        return kResultFalse;
    if (numOuts > 0 && (!outputs || !isTwoSpeakerArrangement(outputs[0])))
        return kResultFalse;
    return AudioEffect::setBusArrangements(inputs, numIns, outputs, numOuts);
}

tresult PLUGIN_API PlugProcessor::canProcessSampleSize(int32 symbolicSampleSize)
{
    const auto size = static_cast<uint32>(symbolicSampleSize);
    return size == kSample32 || size == kSample64 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API PlugProcessor::setupProcessing(ProcessSetup& setup)
{
    sampleRate = setup.sampleRate;
    maxSamplesPerBlock = setup.maxSamplesPerBlock > 0 ? setup.maxSamplesPerBlock : 0;
    return AudioEffect::setupProcessing(setup);
}

void PlugProcessor::freeScratchBuffers()
{
    delete[] scratchL;
    delete[] scratchR;
    scratchL = scratchR = nullptr;
    scratchSize = 0;
}

tresult PLUGIN_API PlugProcessor::setActive(TBool state)
{
    if (state)
    {
        // Activated again without a deactivation: keep a restore the audio thread has not taken.
        if (active)
            paramState = currentState();
        for (int32 s = 0; s < kNumSections; ++s)
            w1[s] = w2[s] = 0.0;

        freeScratchBuffers();
        const int32 samples = std::min(maxSamplesPerBlock, kMaxScratchSamples);
        scratchL = new (std::nothrow) double[static_cast<size_t>(samples)]();
        scratchR = new (std::nothrow) double[static_cast<size_t>(samples)]();
        if (!scratchL || !scratchR)
        {
            freeScratchBuffers();
            return kOutOfMemory;
        }
        scratchSize = samples;

        // Without a positive sample rate there is no time to glide in: the level jumps instead
        // of growing without bound.
        const double e =
            sampleRate > 0.0 ? std::exp(-2.2 / ((levelSmoothMs * 0.001) * sampleRate)) : 0.0;
        levelCoefB = 1.0 - e;
        levelCoefA = e;
        updateFilters(true);

        restoredStates.reset({paramState, restoresSent});
        reportedStates.reset({paramState, restoresSent});
        restoresTaken = restoresSent;
        active = true;
    }
    else
    {
        if (active)
        {
            // The audio thread has stopped: its settings, or a restore it never took, become ours.
            paramState = currentState();
            updateFilters(false);
            // Nothing stays pending for a block that a host sends while inactive.
            restoredStates.reset({paramState, restoresSent});
            active = false;
        }
        freeScratchBuffers();
    }
    return Component::setActive(state);
}

tresult PLUGIN_API PlugProcessor::setState(IBStream* stream)
{
    if (!active)
    {
        const tresult result = paramState.read(stream);
        updateFilters(false);
        return result;
    }
    // The audio thread takes the whole record at its next block; a failed read changes nothing.
    ParamState incoming = currentState();
    const tresult result = incoming.read(stream);
    if (result == kResultOk)
    {
        lastRestored = incoming;
        restoredStates.back() = {incoming, ++restoresSent};
        restoredStates.publish();
    }
    return result;
}

tresult PLUGIN_API PlugProcessor::getState(IBStream* stream)
{
    const ParamState state = active ? currentState() : paramState;
    return state.write(stream);
}

ParamState PlugProcessor::currentState()
{
    reportedStates.fetch();
    const NumberedState& reported = reportedStates.front();
    return reported.restoreNumber == restoresSent ? reported.state : lastRestored;
}

void PlugProcessor::updateFilters(bool reset)
{
    for (int32 band = 0; band < kNumBands; ++band)
        bandGainDb[band] = 0.5 * sampleRate > bandCentreHz[band]
                               ? bandToDb(paramState.values[kFirstBandId + band])
                               : 0.0;

    // The right channel's section of a band is the left one's: designed once, copied.
    for (int32 band = 0; band < kNumBands; ++band)
    {
        const double gain = bandGainDb[band];
        const int32 right = band + kNumBands;
        bandGainDb[right] = gain;
        if (gain < 0.0 || gain > 0.0)
        {
            const double bandwidth = bandCentreHz[band] * kThirdOctaveWidth;
            designBandFilter(band, bandCentreHz[band], gain, bandwidth, sampleRate);
            b0[right] = b0[band];
            b1[right] = b1[band];
            b2[right] = b2[band];
            a1[right] = a1[band];
            a2[right] = a2[band];
        }
    }

    // 10^(dB / 20) with dB = 48 v - 36. A level that is not a number or overflows mutes, so that
    // the smoother stays finite and glides back once a usable level arrives.
    const double target = std::pow(10.0, 2.4000000000000004 * paramState.values[kLevelId] - 1.8);
    levelTarget = std::isfinite(target) ? target : 0.0;
    if (reset)
        levelState = levelTarget;
}

void PlugProcessor::designBandFilter(int32 index, int32 centreHz, double gainDb, double bandwidthHz,
                                     double rate)
{
    const qz::BiquadCoefficients c =
        qz::designPeakingSection(static_cast<double>(centreHz), gainDb, bandwidthHz, rate);
    b0[index] = c.b0;
    b1[index] = c.b1;
    b2[index] = c.b2;
    a1[index] = c.a1;
    a2[index] = c.a2;
}

} // namespace Vst
} // namespace Steinberg
