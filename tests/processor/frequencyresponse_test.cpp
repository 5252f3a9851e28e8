#include "host/parameterchanges.h"
#include "host/processorinstance.h"
#include "host/stereoblock.h"
#include "reference/plainequaliser.h"

#include "factory/plugids.h"
#include "processor/paramstate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>
#include <random>

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::testhost::ParameterChanges;
using qz::testhost::PluginModule;
using qz::testhost::ProcessorInstance;
using qz::testhost::StereoBlock;

namespace {

using qz::reference::bandSection;
using qz::reference::kBandCentresHz;

double db(double gain)
{
    return 20.0 * std::log10(gain);
}
double normalisedBand(double gainDb)
{
    return (gainDb + 12.0) / 24.0;
}

/** The module's impulse response for a setting of band values, left and right channel. */
class ImpulseResponse
{
public:
    static constexpr int32 kLength = 1 << 17; // long enough for the 20 Hz band to die away
    static constexpr int32 kBlock = 4096;

    ImpulseResponse(double rate, const std::map<int32, double>& bandGainsDb) : sampleRate(rate)
    {
        PluginModule module{qz::testhost::builtModulePath()};
        ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
        EXPECT_EQ(instance.prepare(rate, kBlock, kSample64), kResultOk);
        ParameterChanges changes;
        for (const auto& [band, gainDb] : bandGainsDb)
            changes.set(kFirstBandId + band, normalisedBand(gainDb));

        for (int32 start = 0; start < kLength; start += kBlock)
        {
            StereoBlock<double> block(kBlock);
            if (start == 0)
                block.input(0)[0] = block.input(1)[0] = 1.0;
            EXPECT_EQ(instance.process(block.data(start == 0 ? &changes : nullptr)), kResultOk);
            left.insert(left.end(), block.output(0), block.output(0) + kBlock);
            right.insert(right.end(), block.output(1), block.output(1) + kBlock);
        }
    }

    /** H at frequencyHz from the left channel's response. */
    std::complex<double> at(double frequencyHz) const
    {
        const double w = 2.0 * M_PI * frequencyHz / sampleRate;
        std::complex<double> sum = 0.0;
        for (int32 j = 0; j < kLength; ++j)
            sum += left[static_cast<size_t>(j)] * std::polar(1.0, -w * j);
        return sum;
    }
    double dbAt(double frequencyHz) const { return db(std::abs(at(frequencyHz))); }

    double sampleRate;
    std::vector<double> left, right;
};

TEST(MeasuredResponse, EachBandPeaksWithItsSetGainAtItsCentre)
{
    for (const double rate : {44100.0, 48000.0})
        for (const int band : {0, 17, 30})
            for (const double gain : {12.0, -12.0, 5.0})
            {
                const ImpulseResponse response(rate, {{band, gain}});
                EXPECT_NEAR(response.dbAt(kBandCentresHz[band]), gain, 1e-6)
                    << kBandCentresHz[band] << " Hz at " << rate;
                EXPECT_EQ(response.left, response.right);
            }
}

TEST(MeasuredResponse, BandEdgesOfATwelveDecibelBoostLieThreeDecibelsDown)
{
    const ImpulseResponse response(48000, {{17, 12.0}});
    const qz::BiquadCoefficients c = bandSection(17, 12.0, 48000);
    // The edges where the section's formula gives 9 dB; the module must agree there.
    for (const double startHz : {850.0, 1150.0})
    {
        double f = startHz;
        for (int i = 0; i < 60; ++i)
            f -= (db(qz::magnitudeAt(c, f, 48000)) - 9.0) /
                 ((db(qz::magnitudeAt(c, f + 0.01, 48000)) -
                   db(qz::magnitudeAt(c, f - 0.01, 48000))) /
                  0.02);
        EXPECT_NEAR(response.dbAt(f), 9.0, 1e-6) << f;
        EXPECT_NEAR(f, startHz < 1000 ? 891 : 1122, 1.5);
    }
}

TEST(MeasuredResponse, ACutTimesTheSameBoostIsOneAtEveryFrequency)
{
    const ImpulseResponse boost(48000, {{17, 12.0}, {2, 7.0}});
    const ImpulseResponse cut(48000, {{17, -12.0}, {2, -7.0}});
    for (const double f : {0.0, 31.0, 200.0, 891.0, 1000.0, 5000.0, 23999.0})
        EXPECT_NEAR(std::abs(boost.at(f) * cut.at(f)), 1.0, 1e-9) << f << " Hz";
}

TEST(MeasuredResponse, TheTopBandKeepsItsAnalogueGainAtHalfTheSampleRate)
{
    EXPECT_NEAR(ImpulseResponse(44100, {{30, 12.0}}).dbAt(22050), 9.64, 0.005);
    EXPECT_NEAR(ImpulseResponse(48000, {{30, 12.0}}).dbAt(24000), 6.86, 0.005);
    EXPECT_NEAR(ImpulseResponse(48000, {{17, 12.0}}).dbAt(24000), 0.005, 0.0005);
}

TEST(MeasuredResponse, AllBandsTogetherGiveTheProductOfTheirSections)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> gain(-12.0, 12.0);
    std::map<int32, double> gains;
    for (int32 band = 0; band < kNumBands; ++band)
        gains[band] = gain(random);
    const ImpulseResponse response(48000, gains);
    for (const double f :
         {0.0, 20.0, 33.3, 97.0, 1000.0, 1234.5, 7000.0, 15000.0, 21000.0, 24000.0})
    {
        double expected = 1.0;
        for (const auto& [band, gainDb] : gains)
            expected *= qz::magnitudeAt(bandSection(band, gainDb, 48000), f, 48000);
        EXPECT_NEAR(std::abs(response.at(f)) / expected, 1.0, 1e-9) << f << " Hz";
    }
}

} // namespace
