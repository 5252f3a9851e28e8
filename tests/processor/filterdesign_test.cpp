#include "dsp/peakingdesign.h"
#include "processor/plugprocessor.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr double kThirdOctave = 0.231563330169034;

double db(double gain)
{
    return 20.0 * std::log10(gain);
}

qz::BiquadCoefficients thirdOctave(double centreHz, double gainDb, double sampleRate)
{
    return qz::designPeakingSection(centreHz, gainDb, centreHz * kThirdOctave, sampleRate);
}

/** The frequency above centreHz (or below it, with a factor under 1) where the gain falls to
 * levelDb. */
double edgeFrequency(const qz::BiquadCoefficients& c, double centreHz, double farHz, double levelDb,
                     double sampleRate)
{
    double inner = centreHz, outer = farHz;
    for (int i = 0; i < 200; ++i)
    {
        const double middle = 0.5 * (inner + outer);
        (std::fabs(db(qz::magnitudeAt(c, middle, sampleRate))) > std::fabs(levelDb) ? inner
                                                                                    : outer) =
            middle;
    }
    return 0.5 * (inner + outer);
}

TEST(PeakingSection, OneKilohertzBoostAndCutHaveThePublishedCoefficients)
{
    const qz::BiquadCoefficients boost = thirdOctave(1000, 12, 48000);
    EXPECT_NEAR(boost.b0, 1.04234571134, 1e-11);
    EXPECT_NEAR(boost.b1, -1.95631699153, 1e-11);
    EXPECT_NEAR(boost.b2, 0.930841250377, 1e-12);
    EXPECT_NEAR(boost.a1, -1.95512136817, 1e-11);
    EXPECT_NEAR(boost.a2, 0.971991338362, 1e-12);

    const qz::BiquadCoefficients cut = thirdOctave(1000, -12, 48000);
    EXPECT_NEAR(cut.b0, 0.959374600113, 1e-12);
    EXPECT_NEAR(cut.b1, -1.87569378076, 1e-11);
    EXPECT_NEAR(cut.b2, 0.932503801554, 1e-12);
    EXPECT_NEAR(cut.a1, -1.87684083144, 1e-11);
    EXPECT_NEAR(cut.a2, 0.893025452349, 1e-12);
}

TEST(PeakingSection, PeaksAtItsCentreWithTheSetGainAtEveryBandAndRate)
{
    const int centres[] = {20, 31, 100, 1000, 4000, 10000, 16000, 20000};
    for (const double rate : {44100.0, 48000.0, 96000.0})
        for (const int centre : centres)
            for (const double gain : {-12.0, -3.0, 0.5, 6.0, 12.0})
            {
                const qz::BiquadCoefficients c = thirdOctave(centre, gain, rate);
                EXPECT_NEAR(db(qz::magnitudeAt(c, centre, rate)), gain, 1e-9)
                    << centre << " Hz at " << rate;
                // No frequency nearby lies further from 0 dB than the centre.
                for (const double factor : {0.97, 0.995, 1.005, 1.03})
                    EXPECT_LT(std::fabs(db(qz::magnitudeAt(c, centre * factor, rate))),
                              std::fabs(gain))
                        << centre << " Hz at " << rate;
            }
}

TEST(PeakingSection, BandEdgesSitAThirdOfAnOctaveApartAtTheEdgeGain)
{
    // Above 6 dB the edges are 3 dB below the peak; up to 6 dB at half the peak.
    for (const auto& [gain, edgeDb] : {std::pair{12.0, 9.0}, {6.0, 3.0}, {3.0, 1.5}, {-12.0, -9.0}})
    {
        const qz::BiquadCoefficients c = thirdOctave(1000, gain, 48000);
        const double lower = edgeFrequency(c, 1000, 500, edgeDb, 48000);
        const double upper = edgeFrequency(c, 1000, 2000, edgeDb, 48000);
        EXPECT_NEAR(upper - lower, 231.6, 0.1) << gain << " dB";
        EXPECT_NEAR(lower, 891, 1.5) << gain << " dB";
        EXPECT_NEAR(upper, 1122, 1.5) << gain << " dB";
    }
}

TEST(PeakingSection, ACutUndoesTheBoostOfTheSameSizeAtEveryFrequency)
{
    for (const int centre : {25, 1000, 20000})
        for (const double gain : {2.0, 6.0, 12.0})
        {
            const qz::BiquadCoefficients boost = thirdOctave(centre, gain, 44100);
            const qz::BiquadCoefficients cut = thirdOctave(centre, -gain, 44100);
            for (double f = 0.0; f <= 22050.0; f += 350.0)
                EXPECT_NEAR(qz::magnitudeAt(boost, f, 44100) * qz::magnitudeAt(cut, f, 44100), 1.0,
                            1e-9);
        }
}

TEST(PeakingSection, KeepsTheAnalogueGainAtHalfTheSampleRate)
{
    EXPECT_NEAR(db(qz::magnitudeAt(thirdOctave(1000, 12, 48000), 0, 48000)), 0.0, 1e-12);
    EXPECT_NEAR(db(qz::magnitudeAt(thirdOctave(1000, 12, 48000), 24000, 48000)), 0.005, 0.0005);
    EXPECT_NEAR(db(qz::magnitudeAt(thirdOctave(20000, 12, 44100), 22050, 44100)), 9.64, 0.005);
    EXPECT_NEAR(db(qz::magnitudeAt(thirdOctave(20000, 12, 48000), 24000, 48000)), 6.86, 0.005);
}

TEST(PeakingSection, AGainAHairFromZeroPassesTheInputInsteadOfNotANumbers)
{
    for (const double rate : {44100.0, 48000.0})
        for (const double centre : {20.0, 1000.0, 20000.0})
            for (const double gain : {1e-300, 1.8e-15, 2.1e-14, -1.8e-15, -2.1e-14})
                for (const double f : {0.0, centre, 0.5 * rate})
                    EXPECT_NEAR(qz::magnitudeAt(thirdOctave(centre, gain, rate), f, rate), 1.0,
                                1e-12)
                        << gain << " dB at " << centre << " Hz, " << f << " Hz, " << rate;
}

/** Opens the processor's filter plan to the tests. */
class DesignProbe : public PlugProcessor
{
public:
    using PlugProcessor::a1;
    using PlugProcessor::a2;
    using PlugProcessor::b0;
    using PlugProcessor::b1;
    using PlugProcessor::b2;
    using PlugProcessor::bandGainDb;
    using PlugProcessor::levelState;
    using PlugProcessor::levelTarget;
    using PlugProcessor::paramState;

    explicit DesignProbe(double rate)
    {
        initialize(&host);
        ProcessSetup setup{kRealtime, kSample64, 64, rate};
        setupProcessing(setup);
    }
    ~DesignProbe() override { terminate(); }

    bool sectionsMatch(int32 first, int32 second) const
    {
        return b0[first] == b0[second] && b1[first] == b1[second] && b2[first] == b2[second] &&
               a1[first] == a1[second] && a2[first] == a2[second];
    }

    HostApplication host;
};

TEST(FilterPlan, BandsAtOrAboveHalfTheSampleRateStayFlatWhateverTheirSetting)
{
    for (const auto& [rate, firstFlatBand] :
         {std::pair{44100.0, 31}, {48000.0, 31}, {32000.0, 29}, {22050.0, 28}, {8000.0, 23}})
    {
        DesignProbe probe(rate);
        for (int32 band = 0; band < kNumBands; ++band)
            probe.paramState.values[kFirstBandId + band] = 1.0;
        probe.updateFilters(false);
        for (int32 band = 0; band < kNumBands; ++band)
        {
            const double expected = band < firstFlatBand ? 12.0 : 0.0;
            EXPECT_EQ(probe.bandGainDb[band], expected) << "band " << band << " at " << rate;
            EXPECT_EQ(probe.bandGainDb[band + kNumBands], expected)
                << "band " << band << " at " << rate;
        }
    }
}

TEST(FilterPlan, BothChannelsOfABandCarryTheSameGainAndCoefficients)
{
    DesignProbe probe(48000);
    for (int32 band = 0; band < kNumBands; ++band)
        probe.paramState.values[kFirstBandId + band] = (band % 5) / 4.0;
    probe.updateFilters(false);
    for (int32 band = 0; band < kNumBands; ++band)
    {
        EXPECT_EQ(probe.bandGainDb[band], probe.bandGainDb[band + kNumBands]);
        EXPECT_TRUE(probe.sectionsMatch(band, band + kNumBands)) << "band " << band;
    }
}

TEST(FilterPlan, ABandAtZeroDecibelsKeepsItsLastCoefficients)
{
    DesignProbe probe(48000);
    probe.paramState.values[kFirstBandId + 17] = 0.75;
    probe.updateFilters(false);
    const double boostB0 = probe.b0[17];
    probe.paramState.values[kFirstBandId + 17] = 0.5;
    probe.updateFilters(false);
    EXPECT_EQ(probe.bandGainDb[17], 0.0);
    EXPECT_EQ(probe.bandGainDb[17 + kNumBands], 0.0);
    EXPECT_EQ(probe.b0[17], boostB0);
    EXPECT_EQ(probe.b0[17 + kNumBands], boostB0);
}

TEST(FilterPlan, ANotANumberBandIsNotDesigned)
{
    DesignProbe probe(48000);
    probe.paramState.values[kFirstBandId + 3] = std::numeric_limits<double>::quiet_NaN();
    probe.updateFilters(false);
    EXPECT_TRUE(std::isnan(probe.bandGainDb[3]));
    EXPECT_EQ(probe.b0[3], 0.0);
    EXPECT_EQ(probe.a2[3 + kNumBands], 0.0);
}

TEST(FilterPlan, LevelTargetFollowsTheLevelAndOnlyAResetMovesTheSmoother)
{
    DesignProbe probe(48000);
    probe.paramState.values[kLevelId] = 0.75;
    probe.updateFilters(true);
    EXPECT_NEAR(probe.levelTarget, 1.0, 1e-15);
    EXPECT_EQ(probe.levelState, probe.levelTarget);

    probe.paramState.values[kLevelId] = 1.0;
    probe.updateFilters(false);
    EXPECT_NEAR(probe.levelTarget, 3.98107170553497, 1e-12);
    EXPECT_NEAR(probe.levelState, 1.0, 1e-15);

    probe.paramState.values[kLevelId] = 0.0;
    probe.updateFilters(true);
    EXPECT_NEAR(probe.levelTarget, 0.0158489319246111, 1e-15);
    EXPECT_EQ(probe.levelState, probe.levelTarget);

    probe.paramState.values[kLevelId] = std::numeric_limits<double>::quiet_NaN();
    probe.updateFilters(false);
    EXPECT_EQ(probe.levelTarget, 0.0) << "a level that is not a number mutes";
}

} // namespace
