#include "host/parameterchanges.h"
#include "host/processorinstance.h"
#include "host/stereoblock.h"

#include "factory/plugids.h"
#include "processor/paramstate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::testhost::BufferLayout;
using qz::testhost::ParameterChanges;
using qz::testhost::PluginModule;
using qz::testhost::ProcessorInstance;
using qz::testhost::StateBytes;
using qz::testhost::StereoBlock;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double kNonFinite[] = {kNotANumber, kInfinity, -kInfinity};

template <typename Sample>
void fillNoise(StereoBlock<Sample>& block, std::mt19937& random, double amplitude)
{
    std::uniform_real_distribution<double> noise(-amplitude, amplitude);
    for (int c = 0; c < 2; ++c)
        std::generate_n(block.input(c), block.size(), [&] { return Sample(noise(random)); });
}

/** How far an output strays: +infinity when a sample is not finite, else the largest magnitude. */
template <typename Sample> double largestOutput(StereoBlock<Sample>& block)
{
    double largest = 0.0;
    for (int c = 0; c < 2; ++c)
        for (int32 j = 0; j < block.size(); ++j)
        {
            const double sample = block.output(c)[j];
            largest = std::isfinite(sample) ? std::max(largest, std::fabs(sample)) : kInfinity;
        }
    return largest;
}

template <typename Sample> void expectABadSampleToDamageOnlyItsBlock(double bad)
{
    constexpr int32 kBlock = 256;
    constexpr int kBadBlock = 3;
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance hit{module, PlugProcessorUID.toTUID()};
    ProcessorInstance clean{module, PlugProcessorUID.toTUID()};
    for (ProcessorInstance* instance : {&hit, &clean})
        ASSERT_EQ(instance->prepare(48000, kBlock, StereoBlock<Sample>::kSampleSize), kResultOk);
    ParameterChanges boost;
    for (ParamID id = kLevelId; id < static_cast<ParamID>(kNumValues); ++id)
        boost.set(id, 0.8);

    std::mt19937 hitNoise(5), cleanNoise(5);
    for (int round = 0; round < 10; ++round)
    {
        StereoBlock<Sample> hitBlock(kBlock), cleanBlock(kBlock);
        fillNoise(hitBlock, hitNoise, 0.5);
        fillNoise(cleanBlock, cleanNoise, 0.5);
        if (round == kBadBlock)
            hitBlock.input(0)[100] = static_cast<Sample>(bad);
        ParameterChanges* changes = round == 0 ? &boost : nullptr;
        ASSERT_EQ(hit.process(hitBlock.data(changes)), kResultOk);
        ASSERT_EQ(clean.process(cleanBlock.data(changes)), kResultOk);
        if (round <= kBadBlock)
            continue;
        EXPECT_LT(largestOutput(hitBlock), 10.0) << "block " << round << " after " << bad;
        EXPECT_TRUE(
            std::equal(hitBlock.output(1), hitBlock.output(1) + kBlock, cleanBlock.output(1)))
            << "the other channel never noticed, block " << round;
    }
}

TEST(HostileHost, ANonFiniteSampleDamagesOnlyTheBlockAndChannelItArrivesIn)
{
    for (const double bad : kNonFinite)
    {
        expectABadSampleToDamageOnlyItsBlock<float>(bad);
        expectABadSampleToDamageOnlyItsBlock<double>(bad);
    }
}

/**
 * A host at its worst, from a seed: random set-ups, activations and deactivations, blocks of
 * random length, layout and silence flags, automation with values out of range or not numbers,
 * restores of damaged, truncated or random streams, and non-finite samples now and then.
 */
class RandomHost
{
public:
    RandomHost(const PluginModule& module, unsigned seed)
        : instance(module, PlugProcessorUID.toTUID()), random(seed)
    {
    }

    void run(int steps)
    {
        ASSERT_EQ(instance.initialize(), kResultOk);
        ASSERT_EQ(instance.setStereoBuses(), kResultOk);
        activate();
        for (int step = 0; step < steps && !::testing::Test::HasFailure(); ++step)
        {
            const int action = pick(100);
            if (action < 3)
                reactivate();
            else if (action < 9)
                restore();
            else if (action < 12)
                expectSavedValuesInRange();
            else if (sampleSize == kSample32)
                processBlock<float>(step);
            else
                processBlock<double>(step);
        }
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    bool chance(double probability) { return unit(random) < probability; }

    void activate()
    {
        const double rates[] = {8000.0, 44100.0, 48000.0, 96000.0, 192000.0};
        const int32 blockSizes[] = {1, 64, 512, 1024, std::numeric_limits<int32>::max()};
        sampleSize = chance(0.5) ? kSample32 : kSample64;
        ASSERT_EQ(instance.setupProcessing(rates[pick(5)], blockSizes[pick(5)], sampleSize),
                  kResultOk);
        ASSERT_EQ(instance.setActive(true), kResultOk);
    }

    void reactivate()
    {
        ASSERT_EQ(instance.setActive(false), kResultOk);
        if (chance(0.5))
            restore();
        activate();
    }

    /** A saved state, cut short, with random value fields, or random bytes altogether. */
    void restore()
    {
        StateBytes bytes = instance.saveState();
        switch (pick(4))
        {
        case 0:
            break;
        case 1:
            bytes.resize(static_cast<size_t>(pick(static_cast<int>(bytes.size()))));
            break;
        case 2:
            for (int field = pick(4); field >= 0; --field)
            {
                const uint64 bits = random() * (uint64(1) << 32) + random();
                std::memcpy(bytes.data() + 8 + 8 * pick(kNumValues), &bits, 8);
            }
            break;
        default:
            bytes.resize(static_cast<size_t>(pick(300)));
            std::generate(bytes.begin(), bytes.end(), [&] { return char(random()); });
        }
        instance.restoreState(bytes);
    }

    void expectSavedValuesInRange()
    {
        const StateBytes bytes = instance.saveState();
        ASSERT_EQ(bytes.size(), size_t(ParamState::kStreamSize));
        for (int32 id = 0; id < kNumValues; ++id)
        {
            double value = 0.0;
            std::memcpy(&value, bytes.data() + 8 + 8 * id, 8);
            EXPECT_TRUE(value >= 0.0 && value <= 1.0) << "parameter " << id << ": " << value;
        }
    }

    double randomValue()
    {
        const int kind = pick(20);
        if (kind < 14)
            return unit(random);
        if (kind < 17)
            return 10.0 * unit(random) - 5.0;
        return kNonFinite[pick(3)];
    }

    void addRandomChanges(ParameterChanges& changes)
    {
        for (int queue = pick(6); queue > 0; --queue)
        {
            const auto id = static_cast<ParamID>(pick(40));
            if (chance(0.1))
                changes.addQueue(id);
            else
                changes.set(id, randomValue());
        }
    }

    template <typename Sample> void processBlock(int step)
    {
        const auto layout = chance(0.5) ? BufferLayout::inPlace : BufferLayout::separate;
        StereoBlock<Sample> block(1 + pick(1024), layout);
        fillNoise(block, random, unit(random));
        for (int c = 0; c < 2; ++c)
            for (int32 j = 0; j < block.size(); ++j)
                largestInput = std::max(largestInput, std::fabs(double(block.input(c)[j])));
        if (chance(0.1))
            block.inputBuffers().silenceFlags = 1 + pick(3);
        const bool bad = chance(0.05);
        if (bad)
            block.input(pick(2))[pick(block.size())] = static_cast<Sample>(kNonFinite[pick(3)]);
        ParameterChanges changes;
        addRandomChanges(changes);

        ASSERT_EQ(instance.process(block.data(&changes)), kResultOk);
        if (bad)
            return;
        // Every band and the level at their maximum sum to about 217 times the input at most.
        EXPECT_LE(largestOutput(block), 1000.0 * largestInput + 1e-12) << "step " << step;
    }

    ProcessorInstance instance;
    std::mt19937 random;
    std::uniform_real_distribution<double> unit{0.0, 1.0};
    int32 sampleSize = kSample32;
    double largestInput = 0.0;
};

TEST(HostileHost, RandomSessionsStayFiniteAndWithinSixtyDecibelsOfTheLoudestInput)
{
    PluginModule module{qz::testhost::builtModulePath()};
    for (unsigned seed = 1; seed <= 24 && !HasFailure(); ++seed)
    {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        RandomHost(module, seed).run(200);
    }
}

} // namespace
