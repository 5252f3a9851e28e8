#include "host/parameterchanges.h"
#include "host/processorinstance.h"
#include "host/stereoblock.h"
#include "reference/plainequaliser.h"

#include "factory/plugids.h"
#include "processor/paramstate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::reference::PlainEqualiser;
using qz::testhost::ParameterChanges;
using qz::testhost::PluginModule;
using qz::testhost::ProcessorInstance;
using qz::testhost::StereoBlock;

namespace {

constexpr int32 kMaxBlock = 600;

/**
 * Drives the module and the plain model with the same random settings and noise, block by block:
 * bands jump between gains and 0 dB, the level moves, block lengths vary; every output sample of
 * the module must equal the plain model's, bit for bit.
 */
template <typename Sample>
void expectModuleMatchesPlainOrder(double rate, unsigned seed, int blocks)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
    ASSERT_EQ(instance.prepare(rate, kMaxBlock, StereoBlock<Sample>::kSampleSize), kResultOk);

    PlainEqualiser plain(rate);
    double values[kNumValues];
    std::fill(std::begin(values), std::end(values), 0.5);
    values[kLevelId] = 0.75;
    plain.setValues(values, true);

    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int32> length(1, kMaxBlock);
    for (int block = 0; block < blocks; ++block)
    {
        ParameterChanges changes;
        const double flatShare = unit(random);
        for (ParamID id = kFirstBandId; id < kBypassId; ++id)
            if (unit(random) < 0.3)
                changes.set(id, values[id] = unit(random) < flatShare ? 0.5 : unit(random));
        if (unit(random) < 0.3)
            changes.set(kLevelId, values[kLevelId] = unit(random));
        plain.setValues(values, false);

        const int32 n = length(random);
        StereoBlock<Sample> hosted(n);
        std::vector<double> left(static_cast<size_t>(n)), right(static_cast<size_t>(n));
        std::uniform_real_distribution<Sample> noise(-1, 1);
        for (int32 j = 0; j < n; ++j)
        {
            left[static_cast<size_t>(j)] = hosted.input(0)[j] = noise(random);
            right[static_cast<size_t>(j)] = hosted.input(1)[j] = noise(random);
        }
        ASSERT_EQ(instance.process(hosted.data(&changes)), kResultOk);
        plain.process(left.data(), right.data(), n);
        for (int32 j = 0; j < n; ++j)
        {
            ASSERT_EQ(hosted.output(0)[j], static_cast<Sample>(left[static_cast<size_t>(j)]))
                << "block " << block << " sample " << j;
            ASSERT_EQ(hosted.output(1)[j], static_cast<Sample>(right[static_cast<size_t>(j)]))
                << "block " << block << " sample " << j;
        }
    }
}

TEST(CascadeOrder, SixtyFourBitOutputIsThePlainOrdersBitForBit)
{
    expectModuleMatchesPlainOrder<double>(48000, 1, 300);
    expectModuleMatchesPlainOrder<double>(22050, 2, 100);
}

TEST(CascadeOrder, ThirtyTwoBitOutputIsThePlainOrdersBitForBit)
{
    expectModuleMatchesPlainOrder<float>(44100, 3, 300);
}

} // namespace
