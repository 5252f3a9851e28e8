#pragma once

#include "paramstate.h"

#include "public.sdk/source/vst/vstaudioeffect.h"

namespace Steinberg {
namespace Vst {

/** The equaliser's audio component: 31 peaking bands per channel, output level and bypass. */
class PlugProcessor : public AudioEffect
{
public:
    static constexpr int32 kNumSections = 2 * kNumBands; // left bands 0..30, right bands 31..61

    PlugProcessor();
    ~PlugProcessor() override;

    static FUnknown* createInstance(void* context);

    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API setState(IBStream* stream) SMTG_OVERRIDE;
    tresult PLUGIN_API getState(IBStream* stream) SMTG_OVERRIDE;
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
    tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) SMTG_OVERRIDE;
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE;
    /** Audio thread: takes the block's parameter changes and filters the block; never allocates,
        locks or waits. */
    tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE;

    /** Recomputes every section's gain and coefficients and the level target from paramState;
        with reset the level smoother jumps to its target. */
    void updateFilters(bool reset);
    /** Designs section index (0..61) for a non-zero gain. */
    void designBandFilter(int32 index, int32 centreHz, double gainDb, double bandwidthHz,
                          double sampleRate);

protected:
    void freeScratchBuffers();
    /** Audio thread: stores the last point of every queue and redesigns once per queue. */
    void takeParameterChanges(IParameterChanges* changes);
    /** Audio thread: channels 0 and 1 of in and out, numSamples at least 1. */
    void processBlock32(Sample32** in, Sample32** out, int32 numSamples);
    void processBlock64(Sample64** in, Sample64** out, int32 numSamples);
    template <typename Sample>
    void processBlock(Sample** in, Sample** out, int32 numSamples);

    ParamState paramState;
    double sampleRate = 44100.0;
    int32 maxSamplesPerBlock = 0;
    double* scratchL = nullptr;
    double* scratchR = nullptr;
    int32 scratchSize = 0; // samples in each scratch buffer, fixed at activation
    double bandGainDb[kNumSections] = {};
    int16 bandCentreHz[kNumBands] = {};
    double levelTarget = 0.0;
    double b0[kNumSections] = {};
    double b1[kNumSections] = {};
    double b2[kNumSections] = {};
    double a1[kNumSections] = {};
    double a2[kNumSections] = {};
    double w1[kNumSections] = {};
    double w2[kNumSections] = {};
    double levelSmoothMs = 50.0;
    double levelCoefB = 0.0;
    double levelCoefA = 0.0;
    double levelState = 0.0;
};

} // namespace Vst
} // namespace Steinberg
