#pragma once

#include "dsp/triplebuffer.h"
#include "processor/paramstate.h"

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
        with reset the level smoother jumps to its target. While active only the audio thread
        calls it, so it allocates nothing, takes no lock and never waits. */
    void updateFilters(bool reset);
    /** Designs section index (0..61) for a non-zero gain. */
    void designBandFilter(int32 index, int32 centreHz, double gainDb, double bandwidthHz,
                          double sampleRate);

protected:
    void freeScratchBuffers();
    /** A state record with the number of the restore it stems from (0: none while active). */
    struct NumberedState
    {
        ParamState state;
        uint64 restoreNumber;
    };

    /** Audio thread, no allocation, lock or wait: stores the last point of every queue, brought
        into range; true when a value was stored. */
    bool takeParameterChanges(IParameterChanges* changes);
    /** Audio thread, no allocation, lock or wait: takes the state restored since the last block,
        if any; true when there was one. */
    bool takeRestoredState();
    /** Audio thread, no allocation, lock or wait: a channel whose filter memories a non-finite
        sample has reached starts the next block from zero, so the damage ends with its block. */
    void clearNonFiniteMemories();
    /** Main thread: the latest settings; while active, those the audio thread last reported, or a
        restored state that it has not taken yet. */
    ParamState currentState();
    /** Audio thread, no allocation, lock or wait: filters channels 0 and 1 of in into out,
        numSamples at least 1. */
    void processBlock32(Sample32** in, Sample32** out, int32 numSamples);
    void processBlock64(Sample64** in, Sample64** out, int32 numSamples);
    template <typename Sample> void processBlock(Sample** in, Sample** out, int32 numSamples);

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

    // While active, paramState and the filter plan belong to the audio thread: the main thread
    // hands restored states over and reads the audio thread's settings back, without waiting.
    qz::TripleBuffer<NumberedState> restoredStates; // main thread to audio thread
    qz::TripleBuffer<NumberedState> reportedStates; // audio thread to main thread
    bool active = false;                            // main thread
    uint64 restoresSent = 0;                        // main thread
    ParamState lastRestored{};                      // main thread
    uint64 restoresTaken = 0;                       // audio thread
};

} // namespace Vst
} // namespace Steinberg
