#include "host/processorinstance.h"

#include "factory/plugids.h"
#include "processor/plugprocessor.h"

#include "pluginterfaces/vst/vstspeaker.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::testhost::PluginModule;
using qz::testhost::ProcessorInstance;

namespace {

/** Opens the processor's internals to the tests. */
class ProcessorProbe : public PlugProcessor
{
public:
    using PlugProcessor::levelCoefA;
    using PlugProcessor::levelCoefB;
    using PlugProcessor::levelState;
    using PlugProcessor::levelTarget;
    using PlugProcessor::maxSamplesPerBlock;
    using PlugProcessor::paramState;
    using PlugProcessor::sampleRate;
    using PlugProcessor::scratchL;
    using PlugProcessor::scratchR;
    using PlugProcessor::scratchSize;
    using PlugProcessor::w1;
};

class HostedProcessor : public ::testing::Test
{
protected:
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
};

TEST_F(HostedProcessor, NamesItsControllerAndStartsWithDefaultState)
{
    TUID controller;
    ASSERT_EQ(instance.component()->getControllerClassId(controller), kResultOk);
    EXPECT_EQ(FUID::fromTUID(controller), PlugControllerUID);

    ASSERT_EQ(instance.initialize(), kResultOk);
    ParamState saved{};
    auto bytes = instance.saveState();
    ASSERT_EQ(bytes.size(), 268u);
    MemoryStream stream(bytes.data(), static_cast<TSize>(bytes.size()));
    ASSERT_EQ(saved.read(&stream), kResultOk);
    EXPECT_EQ(saved.values[kLevelId], 0.75);
    for (int32 band = 0; band < kNumBands; ++band)
        EXPECT_EQ(saved.values[kFirstBandId + band], 0.5);
    EXPECT_FALSE(saved.bypass);
}

TEST_F(HostedProcessor, DeclaresOneStereoMainBusEachWay)
{
    ASSERT_EQ(instance.initialize(), kResultOk);
    IComponent* component = instance.component();
    ASSERT_EQ(component->getBusCount(kAudio, kInput), 1);
    ASSERT_EQ(component->getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(component->getBusCount(kEvent, kInput), 0);
    EXPECT_EQ(component->getBusCount(kEvent, kOutput), 0);

    for (auto [direction, name] : {std::pair{kInput, u"AudioInput"}, {kOutput, u"AudioOutput"}})
    {
        BusInfo info{};
        ASSERT_EQ(component->getBusInfo(kAudio, direction, 0, info), kResultOk);
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(info.name)), name);
        EXPECT_EQ(info.channelCount, 2);
        EXPECT_EQ(info.busType, kMain);
        EXPECT_EQ(info.flags, static_cast<uint32>(BusInfo::kDefaultActive));
    }

    EXPECT_EQ(instance.initialize(), kResultFalse) << "a second initialize is refused";
    EXPECT_EQ(component->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(component->getBusCount(kAudio, kOutput), 1);
}

TEST_F(HostedProcessor, AcceptsOnlyTwoSpeakerArrangements)
{
    ASSERT_EQ(instance.initialize(), kResultOk);
    IAudioProcessor* processor = instance.processor();
    SpeakerArrangement stereo = SpeakerArr::kStereo;
    SpeakerArrangement mono = SpeakerArr::kMono;
    SpeakerArrangement none = 0;
    SpeakerArrangement three = SpeakerArr::k30Cine;
    SpeakerArrangement surroundPair = kSpeakerLs | kSpeakerRs;
    SpeakerArrangement twoStereo[] = {SpeakerArr::kStereo, SpeakerArr::kStereo};

    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
    EXPECT_EQ(processor->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &none, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(&three, 1, &stereo, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(twoStereo, 2, &stereo, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(&stereo, -1, &stereo, 1), kInvalidArgument);
    EXPECT_EQ(processor->setBusArrangements(nullptr, 1, &stereo, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(nullptr, 0, nullptr, 0), kResultTrue);

    SpeakerArrangement current = 0;
    ASSERT_EQ(processor->getBusArrangement(kInput, 0, current), kResultTrue);
    EXPECT_EQ(current, SpeakerArr::kStereo) << "refused arrangements are not stored";

    EXPECT_EQ(processor->setBusArrangements(&surroundPair, 1, &surroundPair, 1), kResultTrue);
    ASSERT_EQ(processor->getBusArrangement(kOutput, 0, current), kResultTrue);
    EXPECT_EQ(current, surroundPair);
    EXPECT_NE(processor->getBusArrangement(kOutput, 1, current), kResultTrue);
}

TEST_F(HostedProcessor, ProcessesThirtyTwoAndSixtyFourBitSamplesOnly)
{
    ASSERT_EQ(instance.initialize(), kResultOk);
    IAudioProcessor* processor = instance.processor();
    EXPECT_EQ(processor->canProcessSampleSize(kSample32), kResultTrue);
    EXPECT_EQ(processor->canProcessSampleSize(kSample64), kResultTrue);
    EXPECT_EQ(processor->canProcessSampleSize(2), kResultFalse);
    EXPECT_EQ(processor->canProcessSampleSize(-1), kResultFalse);
    EXPECT_EQ(processor->getLatencySamples(), 0u);
    EXPECT_EQ(processor->getTailSamples(), 0u);
    EXPECT_EQ(processor->setProcessing(true), kNotImplemented);

    FUnknownPtr<IProcessContextRequirements> requirements(processor);
    ASSERT_TRUE(requirements);
    EXPECT_EQ(requirements->getProcessContextRequirements(), 0u);
}

TEST_F(HostedProcessor, FullHostSessionSavesAndRestoresState)
{
    ASSERT_EQ(instance.initialize(), kResultOk);
    ASSERT_EQ(instance.setStereoBuses(), kResultTrue);
    ASSERT_EQ(instance.setupProcessing(48000.0, 512), kResultOk);
    ASSERT_EQ(instance.setActive(true), kResultOk);

    auto state = instance.saveState();
    ASSERT_EQ(state.size(), 268u);
    const double quarter = 0.25;
    std::memcpy(state.data() + 8 + 8 * 5, &quarter, 8); // band 5
    state[264] = 1;                                     // bypass on
    ASSERT_EQ(instance.restoreState(state), kResultOk);
    EXPECT_EQ(instance.saveState(), state);

    auto shortState = state;
    shortState.resize(200);
    shortState[8] = 0x12;
    EXPECT_EQ(instance.restoreState(shortState), kResultFalse);
    EXPECT_EQ(instance.saveState(), state) << "a short state changes nothing";

    ASSERT_EQ(instance.setActive(false), kResultOk);
}

TEST(ProcessorSetup, RefusedSampleSizeStillTakesRateAndBlockSize)
{
    HostApplication host; // outlives the processor, which holds it until destroyed
    IPtr<ProcessorProbe> probe = owned(new ProcessorProbe);
    ASSERT_EQ(probe->initialize(&host), kResultOk);
    ProcessSetup setup{kRealtime, 2, 256, 96000.0};
    EXPECT_EQ(probe->setupProcessing(setup), kResultFalse);
    ASSERT_EQ(probe->setActive(true), kResultOk);
    EXPECT_EQ(probe->sampleRate, 96000.0);
    EXPECT_EQ(probe->maxSamplesPerBlock, 256);
    EXPECT_DOUBLE_EQ(probe->levelCoefA, std::exp(-2.2 / 4800.0));
    probe->setActive(false);
    probe->terminate();
}

TEST(ProcessorActivation, LevelSmootherCoefficientsFollowTheSampleRate)
{
    for (auto [rate, a, b] :
         {std::tuple{44100.0, 0.99900277, 0.00099723}, {48000.0, 0.99908375, 0.00091625}})
    {
        HostApplication host; // outlives the processor, which holds it until destroyed
        IPtr<ProcessorProbe> probe = owned(new ProcessorProbe);
        ASSERT_EQ(probe->initialize(&host), kResultOk);
        ProcessSetup setup{kRealtime, kSample32, 64, rate};
        ASSERT_EQ(probe->setupProcessing(setup), kResultOk);
        ASSERT_EQ(probe->setActive(true), kResultOk);
        EXPECT_NEAR(probe->levelCoefA, a, 5e-9);
        EXPECT_NEAR(probe->levelCoefB, b, 5e-9);
        EXPECT_EQ(probe->levelCoefA + probe->levelCoefB, 1.0);
        EXPECT_NEAR(probe->levelState, 1.0, 1e-15) << "the smoother starts at its target";
        probe->setActive(false);
        probe->terminate();
    }
}

TEST(ProcessorActivation, ScratchBuffersLiveExactlyWhileActive)
{
    HostApplication host; // outlives the processor, which holds it until destroyed
    IPtr<ProcessorProbe> probe = owned(new ProcessorProbe);
    ASSERT_EQ(probe->initialize(&host), kResultOk);
    EXPECT_EQ(probe->scratchL, nullptr);

    ProcessSetup empty{kRealtime, kSample32, 0, 44100.0};
    ASSERT_EQ(probe->setupProcessing(empty), kResultOk);
    ASSERT_EQ(probe->setActive(true), kResultOk);
    EXPECT_NE(probe->scratchL, nullptr) << "a block size of 0 still gives (empty) buffers";

    ProcessSetup setup{kRealtime, kSample32, 128, 44100.0};
    ASSERT_EQ(probe->setupProcessing(setup), kResultOk);
    ASSERT_EQ(probe->setActive(true), kResultOk);
    ASSERT_NE(probe->scratchR, nullptr);
    for (int32 i = 0; i < 128; ++i)
        EXPECT_EQ(probe->scratchL[i] + probe->scratchR[i], 0.0);

    probe->w1[3] = 0.5;
    ASSERT_EQ(probe->setActive(false), kResultOk);
    EXPECT_EQ(probe->scratchL, nullptr);
    EXPECT_EQ(probe->scratchR, nullptr);
    EXPECT_EQ(probe->w1[3], 0.5) << "deactivation keeps the filter memories";
    EXPECT_EQ(probe->setActive(false), kResultOk);

    ASSERT_EQ(probe->setActive(true), kResultOk);
    EXPECT_EQ(probe->w1[3], 0.0) << "activation clears the filter memories";

    // An absurd block size gets buffers of a sensible size; longer blocks are filtered in pieces.
    for (const int32 absurd : {1 << 24, std::numeric_limits<int32>::max()})
    {
        ProcessSetup huge{kRealtime, kSample32, absurd, 44100.0};
        ASSERT_EQ(probe->setupProcessing(huge), kResultOk);
        ASSERT_EQ(probe->setActive(true), kResultOk) << absurd;
        ASSERT_GE(probe->scratchSize, 128) << absurd;
        ASSERT_LE(probe->scratchSize, 1 << 16) << absurd;
    }
    // Destroyed while still active: the destructor frees the buffers (checked under ASan).
}

TEST(ProcessorState, ShortStateKeepsValuesAndStillRedesigns)
{
    HostApplication host; // outlives the processor, which holds it until destroyed
    IPtr<ProcessorProbe> probe = owned(new ProcessorProbe);
    ASSERT_EQ(probe->initialize(&host), kResultOk);
    probe->paramState.values[kLevelId] = 1.0;
    char bytes[100] = {};
    MemoryStream stream(bytes, sizeof bytes);
    EXPECT_EQ(probe->setState(&stream), kResultFalse);
    EXPECT_EQ(probe->paramState.values[kLevelId], 1.0);
    EXPECT_NEAR(probe->levelTarget, 3.98107, 1e-5) << "the level target follows the kept record";
    EXPECT_EQ(probe->setState(nullptr), kResultFalse);
    probe->terminate();
}

} // namespace
