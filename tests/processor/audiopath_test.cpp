#include "host/parameterchanges.h"
#include "host/processorinstance.h"
#include "host/stereoblock.h"

#include "factory/plugids.h"
#include "processor/paramstate.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::testhost::BufferLayout;
using qz::testhost::ParameterChanges;
using qz::testhost::PluginModule;
using qz::testhost::ProcessorInstance;
using qz::testhost::StereoBlock;

namespace {

constexpr double kRate = 48000.0;
constexpr int32 kBlock = 256;

template <typename Sample> void fillNoise(StereoBlock<Sample>& block, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<Sample> noise(-1, 1);
    for (int c = 0; c < 2; ++c)
        std::generate_n(block.input(c), block.size(), [&] { return noise(random); });
}

template <typename Sample> void fillOutput(StereoBlock<Sample>& block, Sample value)
{
    for (int c = 0; c < 2; ++c)
        std::fill_n(block.output(c), block.size(), value);
}

template <typename Sample> bool channelEquals(const Sample* actual, const Sample* expected, int32 n)
{
    return std::equal(actual, actual + n, expected);
}

template <typename Sample> bool channelIs(const Sample* actual, Sample value, int32 n)
{
    return std::all_of(actual, actual + n, [value](Sample s) { return s == value; });
}

class AudioPath : public ::testing::Test
{
protected:
    void prepare(int32 sampleSize, ProcessorInstance& target)
    {
        ASSERT_EQ(target.prepare(kRate, kBlock, sampleSize), kResultOk);
    }

    ParamState savedState(ProcessorInstance& target)
    {
        auto bytes = target.saveState();
        MemoryStream stream(bytes.data(), static_cast<TSize>(bytes.size()));
        ParamState state{};
        EXPECT_EQ(state.read(&stream), kResultOk);
        return state;
    }

    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
};

TEST_F(AudioPath, AFlatSettingPasses32BitAudioBitForBit)
{
    prepare(kSample32, instance);
    for (const BufferLayout layout : {BufferLayout::separate, BufferLayout::inPlace})
        for (unsigned seed = 1; seed <= 3; ++seed)
        {
            StereoBlock<float> block(kBlock, layout);
            fillNoise(block, seed);
            const std::vector<float> left(block.input(0), block.input(0) + kBlock);
            const std::vector<float> right(block.input(1), block.input(1) + kBlock);
            ASSERT_EQ(instance.process(block.data()), kResultOk);
            EXPECT_TRUE(channelEquals(block.output(0), left.data(), kBlock));
            EXPECT_TRUE(channelEquals(block.output(1), right.data(), kBlock));
            EXPECT_EQ(block.outputBuffers().silenceFlags, 0u);
        }
}

TEST_F(AudioPath, BandsAtOrAboveHalfTheSampleRateLeaveTheAudioUntouched)
{
    ASSERT_EQ(instance.prepare(22050, kBlock, kSample32), kResultOk);
    ParameterChanges changes;
    for (ParamID band = 28; band < kNumBands; ++band) // 12.5 kHz and up
        changes.set(kFirstBandId + band, band % 2 == 0 ? 1.0 : 0.0);
    StereoBlock<float> block(kBlock);
    fillNoise(block, 8);
    ASSERT_EQ(instance.process(block.data(&changes)), kResultOk);
    EXPECT_TRUE(channelEquals(block.output(0), block.input(0), kBlock));
    EXPECT_TRUE(channelEquals(block.output(1), block.input(1), kBlock));
}

TEST_F(AudioPath, TheLevelGlidesToTheLastPointOfItsQueue)
{
    prepare(kSample64, instance);
    ParameterChanges changes;
    changes.addQueue(kLevelId).add(0, 0.2).add(100, 0.9);

    const double target = std::pow(10.0, (48 * 0.9 - 36) / 20);
    const double pole = std::exp(-2.2 / 2400.0);
    const int32 settleSamples = 2400; // 50 ms at 48 kHz
    std::vector<double> output;
    for (int block = 0; block < 60; ++block)
    {
        StereoBlock<double> unity(kBlock);
        std::fill_n(unity.input(0), kBlock, 1.0);
        std::fill_n(unity.input(1), kBlock, -1.0);
        ASSERT_EQ(instance.process(unity.data(block == 0 ? &changes : nullptr)), kResultOk);
        output.insert(output.end(), unity.output(0), unity.output(0) + kBlock);
        EXPECT_TRUE(std::equal(unity.output(0), unity.output(0) + kBlock, unity.output(1),
                               [](double l, double r) { return l == -r; }));
    }
    EXPECT_EQ(savedState(instance).values[kLevelId], 0.9);
    // The first sample already carries one step of the smoother.
    EXPECT_NEAR(output[0], pole + target * (1 - pole), 1e-12);
    EXPECT_NEAR((target - output[settleSamples - 1]) / (target - 1.0), std::exp(-2.2), 1e-6);
    EXPECT_TRUE(std::is_sorted(output.begin(), output.end()));
    EXPECT_NEAR(output.back(), target, 1e-5);
}

TEST_F(AudioPath, TakesChangesEvenWithoutBusesOrSamplesAndTouchesNoAudio)
{
    prepare(kSample32, instance);
    StereoBlock<float> block(kBlock);
    fillNoise(block, 7);
    fillOutput(block, 0.25f);
    block.outputBuffers().silenceFlags = 2;

    ParameterChanges changes;
    changes.set(kFirstBandId + 4, 0.8);
    ProcessData& data = block.data(&changes);
    data.numInputs = 0;
    ASSERT_EQ(instance.process(data), kResultOk);
    data.numInputs = 1;
    data.numOutputs = 0;
    changes.clear();
    changes.set(kLevelId, 0.4);
    ASSERT_EQ(instance.process(data), kResultOk);
    data.numOutputs = 1;
    data.numSamples = 0;
    changes.clear();
    changes.set(kBypassId, 1.0);
    ASSERT_EQ(instance.process(data), kResultOk);

    const ParamState state = savedState(instance);
    EXPECT_EQ(state.values[kFirstBandId + 4], 0.8);
    EXPECT_EQ(state.values[kLevelId], 0.4);
    EXPECT_TRUE(state.bypass);
    EXPECT_TRUE(channelIs(block.output(0), 0.25f, kBlock));
    EXPECT_TRUE(channelIs(block.output(1), 0.25f, kBlock));
    EXPECT_EQ(block.outputBuffers().silenceFlags, 2u);
}

TEST_F(AudioPath, HostValuesEndAtTheRangesEdgesAndNotANumberOrUnknownQueuesChangeNothing)
{
    prepare(kSample64, instance);
    ProcessorInstance twin{module, PlugProcessorUID.toTUID()};
    prepare(kSample64, twin);
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    ParameterChanges wild, tame, wilder;
    wild.set(kFirstBandId, 1.5).set(kFirstBandId + 30, -0.25).set(kFirstBandId + 5, 0.3);
    wild.set(kLevelId, 0.6).set(33, 1.0).set(0xFFFFFFFF, 1.0);
    auto& empty = wild.addQueue(kFirstBandId + 7);
    wild.addNullQueue();
    tame.set(kFirstBandId, 1.0).set(kFirstBandId + 30, 0.0).set(kFirstBandId + 5, 0.3);
    tame.set(kLevelId, 0.6);
    wilder.set(kFirstBandId + 5, notANumber).set(kLevelId, notANumber);

    for (int round = 0; round < 3; ++round)
    {
        StereoBlock<double> wildBlock(kBlock), tameBlock(kBlock);
        fillNoise(wildBlock, 7 + round);
        fillNoise(tameBlock, 7 + round);
        ParameterChanges* changes = round == 0 ? &wild : round == 1 ? &wilder : nullptr;
        ASSERT_EQ(instance.process(wildBlock.data(changes)), kResultOk);
        ASSERT_EQ(twin.process(tameBlock.data(round == 0 ? &tame : nullptr)), kResultOk);
        EXPECT_TRUE(channelEquals(wildBlock.output(0), tameBlock.output(0), kBlock)) << round;
        EXPECT_TRUE(channelEquals(wildBlock.output(1), tameBlock.output(1), kBlock)) << round;
    }
    EXPECT_EQ(empty.missingPointReads(), 0) << "an empty queue has no last point to read";

    const ParamState state = savedState(instance);
    const ParamState expected = savedState(twin);
    for (int32 id = 0; id < kNumValues; ++id)
        EXPECT_EQ(state.values[id], expected.values[id]) << "id " << id;
    EXPECT_EQ(state.values[kFirstBandId], 1.0);
    EXPECT_FALSE(state.bypass);
}

TEST_F(AudioPath, BypassSwitchesOnAboveOneHalfAndForNotANumber)
{
    prepare(kSample64, instance);
    StereoBlock<double> block(kBlock);
    for (const auto& [value, on] : {std::pair{1.0, true},
                                    {0.5, false},
                                    {0.5000001, true},
                                    {0.0, false},
                                    {std::numeric_limits<double>::quiet_NaN(), true}})
    {
        ParameterChanges changes;
        changes.set(kBypassId, value);
        ASSERT_EQ(instance.process(block.data(&changes)), kResultOk);
        EXPECT_EQ(savedState(instance).bypass, on) << value;
    }
}

class SilenceAndBypass : public AudioPath
{
protected:
    /** Settings that change the sound: a boost, a cut and a louder level. */
    void colour(ProcessorInstance& target)
    {
        ParameterChanges changes;
        changes.set(kFirstBandId + 10, 0.9).set(kFirstBandId + 20, 0.1).set(kLevelId, 0.9);
        StereoBlock<float> block(kBlock);
        fillNoise(block, 3);
        ASSERT_EQ(target.process(block.data(&changes)), kResultOk);
    }

    void setBypass(bool on)
    {
        ParameterChanges changes;
        changes.set(kBypassId, on ? 1.0 : 0.0);
        StereoBlock<float> block(kBlock);
        block.inputBuffers().silenceFlags = 3;
        ASSERT_EQ(instance.process(block.data(&changes)), kResultOk);
    }

    /** One filtered block of noise from seed, through target. */
    std::vector<float> filtered(ProcessorInstance& target, unsigned seed)
    {
        StereoBlock<float> block(kBlock);
        fillNoise(block, seed);
        EXPECT_EQ(target.process(block.data()), kResultOk);
        std::vector<float> both(block.output(0), block.output(0) + kBlock);
        both.insert(both.end(), block.output(1), block.output(1) + kBlock);
        return both;
    }

    void SetUp() override
    {
        prepare(kSample32, instance);
        prepare(kSample32, twin);
        colour(instance);
        colour(twin);
    }

    ProcessorInstance twin{module, PlugProcessorUID.toTUID()};
};

TEST_F(SilenceAndBypass, ASilentInputClearsSeparateOutputsAndPassesItsFlagsOn)
{
    StereoBlock<float> block(kBlock);
    fillNoise(block, 4);
    fillOutput(block, 0.5f);
    block.inputBuffers().silenceFlags = 3;
    ASSERT_EQ(instance.process(block.data()), kResultOk);
    EXPECT_EQ(block.outputBuffers().silenceFlags, 3u);
    EXPECT_TRUE(channelIs(block.output(0), 0.0f, kBlock));
    EXPECT_TRUE(channelIs(block.output(1), 0.0f, kBlock));
}

TEST_F(SilenceAndBypass, ASilentInputInPlaceIsLeftAsItIs)
{
    StereoBlock<float> block(kBlock, BufferLayout::inPlace);
    fillNoise(block, 4);
    const std::vector<float> left(block.input(0), block.input(0) + kBlock);
    block.inputBuffers().silenceFlags = 3;
    ASSERT_EQ(instance.process(block.data()), kResultOk);
    EXPECT_EQ(block.outputBuffers().silenceFlags, 3u);
    EXPECT_TRUE(channelEquals(block.output(0), left.data(), kBlock));
}

TEST_F(SilenceAndBypass, AnInputSilentOnOneChannelOnlyIsFilteredAsUsual)
{
    for (const uint64 flags : {1u, 2u})
    {
        StereoBlock<float> flagged(kBlock);
        fillNoise(flagged, 20 + static_cast<unsigned>(flags));
        flagged.inputBuffers().silenceFlags = flags;
        flagged.outputBuffers().silenceFlags = 3;
        ASSERT_EQ(instance.process(flagged.data()), kResultOk);
        std::vector<float> both(flagged.output(0), flagged.output(0) + kBlock);
        both.insert(both.end(), flagged.output(1), flagged.output(1) + kBlock);

        EXPECT_EQ(both, filtered(twin, 20 + static_cast<unsigned>(flags))) << "flags " << flags;
        EXPECT_EQ(flagged.outputBuffers().silenceFlags, 0u);
    }
}

TEST_F(SilenceAndBypass, BypassCopiesTheInputAtUnityGainWhateverTheLevel)
{
    setBypass(true);
    for (const BufferLayout layout : {BufferLayout::separate, BufferLayout::inPlace})
    {
        StereoBlock<float> block(kBlock, layout);
        fillNoise(block, 5);
        const std::vector<float> left(block.input(0), block.input(0) + kBlock);
        const std::vector<float> right(block.input(1), block.input(1) + kBlock);
        block.outputBuffers().silenceFlags = 3;
        ASSERT_EQ(instance.process(block.data()), kResultOk);
        EXPECT_TRUE(channelEquals(block.output(0), left.data(), kBlock));
        EXPECT_TRUE(channelEquals(block.output(1), right.data(), kBlock));
        EXPECT_EQ(block.outputBuffers().silenceFlags, 0u);
    }
}

TEST_F(SilenceAndBypass, ASilentInputTakesTheSilencePathEvenInBypass)
{
    setBypass(true);
    StereoBlock<float> block(kBlock);
    fillNoise(block, 6);
    fillOutput(block, 0.5f);
    block.inputBuffers().silenceFlags = 3;
    ASSERT_EQ(instance.process(block.data()), kResultOk);
    EXPECT_EQ(block.outputBuffers().silenceFlags, 3u);
    EXPECT_TRUE(channelIs(block.output(0), 0.0f, kBlock));
}

TEST_F(SilenceAndBypass, FilteringResumesFromWhereSilentAndBypassedBlocksLeftIt)
{
    EXPECT_EQ(filtered(instance, 10), filtered(twin, 10));
    setBypass(true);
    filtered(instance, 11);
    setBypass(false);
    StereoBlock<float> silent(kBlock);
    silent.inputBuffers().silenceFlags = 3;
    ASSERT_EQ(instance.process(silent.data()), kResultOk);
    EXPECT_EQ(filtered(instance, 12), filtered(twin, 12));
}

TEST(SampleSizes, The32BitPathIsThe64BitPathRoundedAtTheEnd)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance single{module, PlugProcessorUID.toTUID()};
    ProcessorInstance wide{module, PlugProcessorUID.toTUID()};
    ASSERT_EQ(single.prepare(kRate, kBlock, kSample32), kResultOk);
    ASSERT_EQ(wide.prepare(kRate, kBlock, kSample64), kResultOk);

    std::mt19937 random(99);
    std::uniform_real_distribution<double> value(0.0, 1.0);
    for (int round = 0; round < 8; ++round)
    {
        ParameterChanges changes;
        for (ParamID id = kLevelId; id < kBypassId; ++id)
            changes.set(id, value(random));
        StereoBlock<float> block32(kBlock);
        StereoBlock<double> block64(kBlock);
        fillNoise(block32, static_cast<unsigned>(round));
        for (int c = 0; c < 2; ++c)
            std::copy_n(block32.input(c), kBlock, block64.input(c));
        ASSERT_EQ(single.process(block32.data(&changes)), kResultOk);
        ASSERT_EQ(wide.process(block64.data(&changes)), kResultOk);
        for (int c = 0; c < 2; ++c)
            for (int32 j = 0; j < kBlock; ++j)
                ASSERT_EQ(block32.output(c)[j], static_cast<float>(block64.output(c)[j]))
                    << "round " << round << " channel " << c << " sample " << j;
    }
}

TEST(HostMistakes, ABlockLongerThanAnnouncedIsFilteredAsIfInPieces)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance shortScratch{module, PlugProcessorUID.toTUID()};
    ProcessorInstance longScratch{module, PlugProcessorUID.toTUID()};
    ASSERT_EQ(shortScratch.prepare(kRate, 100, kSample64), kResultOk);
    ASSERT_EQ(longScratch.prepare(kRate, 1000, kSample64), kResultOk);
    ParameterChanges changes;
    changes.set(kFirstBandId + 12, 0.9).set(kLevelId, 0.6);

    StereoBlock<double> tooLong(250);
    StereoBlock<double> fitting(250);
    fillNoise(tooLong, 1);
    fillNoise(fitting, 1);
    ASSERT_EQ(shortScratch.process(tooLong.data(&changes)), kResultOk);
    ASSERT_EQ(longScratch.process(fitting.data(&changes)), kResultOk);
    EXPECT_TRUE(channelEquals(tooLong.output(0), fitting.output(0), 250));
    EXPECT_TRUE(channelEquals(tooLong.output(1), fitting.output(1), 250));
}

TEST(HostMistakes, BlocksWithoutTwoChannelsOrBuffersOnABusComeOutSilent)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
    ASSERT_EQ(instance.prepare(kRate, kBlock, kSample32), kResultOk);
    const auto broken = [&](const char* what, auto breakBlock, uint64 silentChannels) {
        StereoBlock<float> block(kBlock);
        fillNoise(block, 3);
        fillOutput(block, 0.5f);
        ProcessData& data = block.data();
        breakBlock(data);
        EXPECT_EQ(instance.process(data), kResultOk) << what;
        if (!data.outputs || !data.outputs->channelBuffers32)
            return;
        EXPECT_EQ(data.outputs->silenceFlags, silentChannels) << what;
        for (int c = 0; c < 2; ++c)
            EXPECT_TRUE(channelIs(block.output(c), (silentChannels >> c & 1) ? 0.0f : 0.5f, kBlock))
                << what << " channel " << c;
    };
    broken(
        "mono input", [](ProcessData& d) { d.inputs->numChannels = 1; }, 3);
    broken(
        "mono output", [](ProcessData& d) { d.outputs->numChannels = 1; }, 1);
    broken(
        "no input buffers", [](ProcessData& d) { d.inputs->channelBuffers32 = nullptr; }, 3);
    broken(
        "no right input", [](ProcessData& d) { d.inputs->channelBuffers32[1] = nullptr; }, 3);
    broken(
        "no input bus", [](ProcessData& d) { d.inputs = nullptr; }, 3);
    broken(
        "no output buffers", [](ProcessData& d) { d.outputs->channelBuffers32 = nullptr; }, 0);
    broken(
        "no output bus", [](ProcessData& d) { d.outputs = nullptr; }, 0);

    // An input with more channels than the output: only the output's own are touched.
    StereoBlock<float> block(kBlock);
    fillOutput(block, 0.5f);
    float* threeChannels[] = {block.input(0), block.input(1), block.input(1)};
    block.inputBuffers().channelBuffers32 = threeChannels;
    block.inputBuffers().numChannels = 3;
    block.inputBuffers().silenceFlags = 7;
    ASSERT_EQ(instance.process(block.data()), kResultOk);
    EXPECT_TRUE(channelIs(block.output(1), 0.0f, kBlock));
}

TEST(HostMistakes, ABypassedBlockInAnotherSampleSizeThanTheSetUpsIsCopiedWhole)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ParameterChanges bypass;
    bypass.set(kBypassId, 1.0);
    const auto copiedWhole = [&](int32 setUpSampleSize, auto sampleType) {
        ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
        ASSERT_EQ(instance.prepare(kRate, kBlock, setUpSampleSize), kResultOk);
        StereoBlock<decltype(sampleType)> block(kBlock);
        fillNoise(block, 4);
        ASSERT_EQ(instance.process(block.data(&bypass)), kResultOk);
        EXPECT_TRUE(channelEquals(block.output(1), block.input(1), kBlock)) << setUpSampleSize;
    };
    copiedWhole(kSample64, 0.0f);
    copiedWhole(kSample32, 0.0);
}

TEST(HostMistakes, WithoutAPositiveSampleRateTheLevelJumpsToItsTarget)
{
    PluginModule module{qz::testhost::builtModulePath()};
    for (const double rate : {-48000.0, std::numeric_limits<double>::quiet_NaN()})
    {
        ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
        ASSERT_EQ(instance.prepare(rate, kBlock, kSample64), kResultOk);
        ParameterChanges changes;
        changes.set(kLevelId, 1.0).set(kFirstBandId + 10, 0.9);
        const double target = std::pow(10.0, 2.4000000000000004 - 1.8);
        for (int round = 0; round < 4; ++round)
        {
            StereoBlock<double> block(kBlock);
            std::fill_n(block.input(0), kBlock, 0.5);
            ASSERT_EQ(instance.process(block.data(round == 0 ? &changes : nullptr)), kResultOk);
            EXPECT_EQ(block.output(0)[kBlock - 1], 0.5 * target) << rate;
        }
    }
}

TEST(HostMistakes, AnInactiveProcessorAnswersWithSilence)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance idle{module, PlugProcessorUID.toTUID()};
    ASSERT_EQ(idle.initialize(), kResultOk);
    ASSERT_EQ(idle.setupProcessing(kRate, kBlock, kSample32), kResultOk);
    StereoBlock<float> block(kBlock);
    fillNoise(block, 2);
    fillOutput(block, 0.5f);
    ASSERT_EQ(idle.process(block.data()), kResultOk);
    EXPECT_TRUE(channelIs(block.output(0), 0.0f, kBlock));
    EXPECT_TRUE(channelIs(block.output(1), 0.0f, kBlock));
}

} // namespace
