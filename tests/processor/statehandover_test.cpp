#include "host/parameterchanges.h"
#include "host/processorinstance.h"
#include "host/stereoblock.h"

#include "factory/plugids.h"
#include "processor/paramstate.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::testhost::ParameterChanges;
using qz::testhost::PluginModule;
using qz::testhost::ProcessorInstance;
using qz::testhost::StateBytes;
using qz::testhost::StereoBlock;

namespace {

constexpr int32 kBlock = 64;

ParamState parse(StateBytes bytes)
{
    ParamState state{};
    MemoryStream stream(bytes.data(), static_cast<TSize>(bytes.size()));
    EXPECT_EQ(state.read(&stream), kResultOk);
    return state;
}

StateBytes serialise(const ParamState& state)
{
    MemoryStream stream;
    EXPECT_EQ(state.write(&stream), kResultOk);
    return qz::testhost::streamBytes(stream);
}

/** Every band at bandValue, the level at levelValue. */
ParamState uniformState(double bandValue, double levelValue, bool bypass)
{
    ParamState state{};
    std::fill(std::begin(state.values), std::end(state.values), bandValue);
    state.values[kLevelId] = levelValue;
    state.bypass = bypass;
    return state;
}

bool sameState(const ParamState& a, const ParamState& b)
{
    return std::equal(std::begin(a.values), std::end(a.values), std::begin(b.values)) &&
           a.bypass == b.bypass;
}

class ActiveRestore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(instance.prepare(48000, kBlock, kSample64), kResultOk);
        ASSERT_EQ(twin.prepare(48000, kBlock, kSample64), kResultOk);
    }

    /** One block of noise from seed through target, both channels. */
    std::vector<double> filtered(ProcessorInstance& target, unsigned seed,
                                 ParameterChanges* changes = nullptr)
    {
        StereoBlock<double> block(kBlock);
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> noise(-1, 1);
        for (int c = 0; c < 2; ++c)
            std::generate_n(block.input(c), kBlock, [&] { return noise(random); });
        EXPECT_EQ(target.process(block.data(changes)), kResultOk);
        std::vector<double> both(block.output(0), block.output(0) + kBlock);
        both.insert(both.end(), block.output(1), block.output(1) + kBlock);
        return both;
    }

    /** Changes that bring a processor to state in one block. */
    static void changesTo(const ParamState& state, ParameterChanges& changes)
    {
        for (ParamID id = kLevelId; id < kBypassId; ++id)
            changes.set(id, state.values[id]);
        changes.set(kBypassId, bypassToNormalized(state.bypass));
    }

    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
    ProcessorInstance twin{module, PlugProcessorUID.toTUID()};
};

TEST_F(ActiveRestore, TheRestoredStateSoundsFromTheNextBlockOn)
{
    ParamState restored = uniformState(0.8, 0.6, false);
    restored.values[kFirstBandId + 3] = 0.1;
    EXPECT_EQ(filtered(instance, 1), filtered(twin, 1));

    ASSERT_EQ(instance.restoreState(serialise(restored)), kResultOk);
    ParameterChanges changes;
    changesTo(restored, changes);
    EXPECT_EQ(filtered(instance, 2), filtered(twin, 2, &changes));
    EXPECT_EQ(filtered(instance, 3), filtered(twin, 3));
}

TEST_F(ActiveRestore, SavingReportsTheLatestSettingsFromAutomationOrRestore)
{
    ParameterChanges automation;
    automation.set(kFirstBandId + 5, 0.9);
    filtered(instance, 1, &automation);
    EXPECT_EQ(parse(instance.saveState()).values[kFirstBandId + 5], 0.9);

    const ParamState restored = uniformState(0.3, 0.7, true);
    ASSERT_EQ(instance.restoreState(serialise(restored)), kResultOk);
    EXPECT_TRUE(sameState(parse(instance.saveState()), restored)) << "before the next block";

    ParameterChanges later;
    later.set(kFirstBandId + 7, 0.2);
    filtered(instance, 2, &later);
    ParamState expected = restored;
    expected.values[kFirstBandId + 7] = 0.2;
    EXPECT_TRUE(sameState(parse(instance.saveState()), expected));
}

TEST_F(ActiveRestore, AFailedRestoreChangesNothing)
{
    ParameterChanges automation;
    automation.set(kFirstBandId + 9, 0.95);
    filtered(instance, 1, &automation);
    filtered(twin, 1, &automation);
    const StateBytes before = instance.saveState();

    StateBytes cut = serialise(uniformState(0.1, 0.1, true));
    cut.resize(200);
    EXPECT_EQ(instance.restoreState(cut), kResultFalse);
    EXPECT_EQ(instance.saveState(), before);
    EXPECT_EQ(filtered(instance, 2), filtered(twin, 2));
}

TEST_F(ActiveRestore, ARestoreNotYetTakenSurvivesDeactivation)
{
    const ParamState restored = uniformState(0.7, 0.5, false);
    ASSERT_EQ(instance.restoreState(serialise(restored)), kResultOk);
    ASSERT_EQ(instance.setActive(false), kResultOk);
    EXPECT_TRUE(sameState(parse(instance.saveState()), restored));

    ASSERT_EQ(twin.setActive(false), kResultOk);
    ASSERT_EQ(twin.restoreState(serialise(restored)), kResultOk);
    ASSERT_EQ(instance.setActive(true), kResultOk);
    ASSERT_EQ(twin.setActive(true), kResultOk);
    EXPECT_EQ(filtered(instance, 4), filtered(twin, 4));
}

TEST_F(ActiveRestore, ARestoreNotYetTakenSurvivesASecondActivation)
{
    const ParamState restored = uniformState(0.2, 0.9, true);
    ASSERT_EQ(instance.restoreState(serialise(restored)), kResultOk);
    ASSERT_EQ(instance.setActive(true), kResultOk);
    EXPECT_TRUE(sameState(parse(instance.saveState()), restored));
}

TEST_F(ActiveRestore, ARestoreLeftPendingAtDeactivationNeverOverridesALaterOne)
{
    ASSERT_EQ(instance.restoreState(serialise(uniformState(0.7, 0.5, false))), kResultOk);
    ASSERT_EQ(instance.setActive(false), kResultOk);
    const ParamState later = uniformState(0.3, 0.6, true);
    ASSERT_EQ(instance.restoreState(serialise(later)), kResultOk);
    filtered(instance, 1); // a block the host should not send while inactive
    EXPECT_TRUE(sameState(parse(instance.saveState()), later));
}

// Automation runs on an audio thread while the main thread restores and saves: every saved state
// must be one whole record, and the data race detector (in the thread-sanitised build) must stay
// silent.
TEST(ConcurrentRestore, RestoresAndSavesWhileProcessingNeverTearTheRecord)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
    ASSERT_EQ(instance.prepare(48000, 32, kSample32), kResultOk);

    constexpr int kBlocks = 4000;
    std::atomic<bool> audioDone{false};
    std::thread audio([&] {
        std::mt19937 random(1);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        StereoBlock<float> block(32);
        for (int i = 0; i < kBlocks; ++i)
        {
            ParameterChanges levelAutomation;
            levelAutomation.set(kLevelId, unit(random));
            std::fill_n(block.input(0), 32, static_cast<float>(unit(random)));
            instance.process(block.data(&levelAutomation));
        }
        audioDone = true;
    });

    // Restore k carries every band at (k + 1) / 1024 and bypass on for odd k; a torn record would
    // mix bands of two restores or a bypass that belongs to another.
    int restores = 0;
    int torn = 0;
    while (!audioDone || restores < 100)
    {
        const double bandValue = (restores % 1000 + 1) / 1024.0;
        instance.restoreState(serialise(uniformState(bandValue, 0.75, restores % 2 == 1)));
        ++restores;
        const ParamState saved = parse(instance.saveState());
        const double band = saved.values[kFirstBandId];
        const bool whole = std::all_of(saved.values + kFirstBandId, std::end(saved.values),
                                       [band](double v) { return v == band; });
        const int k = static_cast<int>(band * 1024.0) - 1;
        if (!whole || saved.bypass != (k % 2 == 1))
            ++torn;
    }
    audio.join();
    EXPECT_EQ(torn, 0) << "of " << restores << " restores";
    EXPECT_GE(restores, 100);
}

} // namespace
