#include "reference/plainequaliser.h"

#include "dsp/peakingdesign.h"
#include "dsp/sectioncascade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr int kPerChannel = 31;
constexpr int kSections = 2 * kPerChannel;

/** A cascade's arrays with random designs, and a way to switch sections on and off. */
struct Cascade
{
    double gainDb[kSections], b0[kSections], b1[kSections], b2[kSections], a1[kSections],
        a2[kSections], w1[kSections] = {}, w2[kSections] = {};

    qz::SectionArrays arrays() { return {gainDb, b0, b1, b2, a1, a2, w1, w2, kPerChannel}; }

    bool statesEqual(const Cascade& other) const
    {
        return std::memcmp(w1, other.w1, sizeof w1) == 0 &&
               std::memcmp(w2, other.w2, sizeof w2) == 0;
    }
};

/**
 * Runs the same random cascade and noise through the plain order and through the scheduled
 * kernels of instructions, block by block: sections switch on and off between blocks (both
 * channels alike, or each on its own), gains are zero of either sign or not a number, blocks are
 * from 1 to 700 samples long. Outputs and states must agree bit for bit.
 */
void expectSameAsPlainOrder(qz::InstructionSet instructions, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double rate = 48000;

    Cascade plain;
    for (int s = 0; s < kSections; ++s)
    {
        const double centre = 20.0 * std::pow(1000.0, unit(random));
        const double gain =
            unit(random) < 0.5 ? -12.0 * unit(random) - 0.1 : 12.0 * unit(random) + 0.1;
        const qz::BiquadCoefficients c =
            qz::designPeakingSection(centre, gain, centre * 0.2316, rate);
        plain.b0[s] = c.b0;
        plain.b1[s] = c.b1;
        plain.b2[s] = c.b2;
        plain.a1[s] = c.a1;
        plain.a2[s] = c.a2;
    }
    Cascade scheduled = plain;

    for (int block = 0; block < 60; ++block)
    {
        const double onShare = unit(random);
        const bool channelsAlike = unit(random) < 0.5;
        for (int band = 0; band < kPerChannel; ++band)
            for (const int s : {band, band + kPerChannel})
            {
                if (s == band + kPerChannel && channelsAlike)
                    plain.gainDb[s] = plain.gainDb[band];
                else if (unit(random) < onShare)
                    plain.gainDb[s] = 1.0;
                else
                {
                    const double off[] = {0.0, -0.0, std::numeric_limits<double>::quiet_NaN()};
                    plain.gainDb[s] = off[static_cast<int>(unit(random) * 3)];
                }
                scheduled.gainDb[s] = plain.gainDb[s];
            }

        const int n = block < 10 ? block + 1 : 1 + static_cast<int>(unit(random) * 700);
        std::vector<double> left(static_cast<size_t>(n)), right(static_cast<size_t>(n));
        for (int j = 0; j < n; ++j)
        {
            left[static_cast<size_t>(j)] = unit(random) - 0.5;
            right[static_cast<size_t>(j)] = unit(random) - 0.5;
        }
        std::vector<double> scheduledLeft = left, scheduledRight = right;

        qz::reference::runSectionsInOrder(plain.arrays(), left.data(), right.data(), n);
        qz::runSections(scheduled.arrays(), scheduledLeft.data(), scheduledRight.data(), n,
                        instructions);
        ASSERT_EQ(std::memcmp(left.data(), scheduledLeft.data(), left.size() * sizeof(double)), 0)
            << "block " << block << " of " << n << " samples";
        ASSERT_EQ(std::memcmp(right.data(), scheduledRight.data(), right.size() * sizeof(double)),
                  0)
            << "block " << block << " of " << n << " samples";
        ASSERT_TRUE(plain.statesEqual(scheduled)) << "block " << block;
    }
}

TEST(ScheduledCascade, TheSse2KernelGivesThePlainOrdersBitsExactly)
{
    for (unsigned seed = 1; seed <= 6; ++seed)
        expectSameAsPlainOrder(qz::InstructionSet::sse2, seed);
}

TEST(ScheduledCascade, TheAvxKernelGivesThePlainOrdersBitsExactly)
{
    if (qz::widestInstructionSet() != qz::InstructionSet::avx)
        GTEST_SKIP() << "this processor has no AVX";
    for (unsigned seed = 1; seed <= 6; ++seed)
        expectSameAsPlainOrder(qz::InstructionSet::avx, seed);
}

} // namespace
