#include "reference/plainequaliser.h"

#include <cmath>

namespace qz::reference {

namespace {

void runSectionInOrder(const SectionArrays& sections, int s, double* x, int numSamples)
{
    const double b0 = sections.b0[s], b1 = sections.b1[s], b2 = sections.b2[s];
    const double a1 = sections.a1[s], a2 = sections.a2[s];
    double w1 = sections.w1[s], w2 = sections.w2[s];
    for (int j = 0; j < numSamples; ++j)
    {
        const double w = (x[j] + 1e-18) - (a1 * w1 + a2 * w2);
        x[j] = (b2 * w2 + b1 * w1) + b0 * w;
        w2 = w1;
        w1 = w;
    }
    sections.w1[s] = w1;
    sections.w2[s] = w2;
}

} // namespace

const int kBandCentresHz[31] = {20,   25,   31,   40,   50,   63,    80,    100,   125,  160,  200,
                                250,  315,  400,  500,  630,  800,   1000,  1250,  1600, 2000, 2500,
                                3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};

BiquadCoefficients bandSection(int band, double gainDb, double sampleRate)
{
    const int centre = kBandCentresHz[band];
    return designPeakingSection(centre, gainDb, centre * 0.231563330169034, sampleRate);
}

void runSectionsInOrder(const SectionArrays& sections, double* left, double* right, int numSamples)
{
    const int perChannel = sections.sectionsPerChannel;
    for (int band = 0; band < perChannel; ++band)
    {
        if (sections.gainDb[band] != 0.0 && !std::isnan(sections.gainDb[band]))
            runSectionInOrder(sections, band, left, numSamples);
        if (sections.gainDb[band + perChannel] != 0.0 &&
            !std::isnan(sections.gainDb[band + perChannel]))
            runSectionInOrder(sections, band + perChannel, right, numSamples);
    }
}

PlainEqualiser::PlainEqualiser(double rate)
    : sampleRate(rate), levelCoefA(std::exp(-2.2 / ((50.0 * 0.001) * rate))),
      levelCoefB(1.0 - levelCoefA)
{
}

void PlainEqualiser::setValues(const double (&values)[kBands + 1], bool reset)
{
    for (int band = 0; band < kBands; ++band)
    {
        const double gain =
            sampleRate / 2 > kBandCentresHz[band] ? 24.0 * values[1 + band] - 12.0 : 0.0;
        gainDb[band] = gainDb[band + kBands] = gain;
        if (gain != 0.0 && !std::isnan(gain))
        {
            const BiquadCoefficients c = bandSection(band, gain, sampleRate);
            for (const int s : {band, band + kBands})
            {
                b0[s] = c.b0;
                b1[s] = c.b1;
                b2[s] = c.b2;
                a1[s] = c.a1;
                a2[s] = c.a2;
            }
        }
    }
    levelTarget = std::pow(10.0, 2.4000000000000004 * values[0] - 1.8);
    if (reset)
        levelState = levelTarget;
}

void PlainEqualiser::process(double* left, double* right, int numSamples)
{
    runSectionsInOrder({gainDb, b0, b1, b2, a1, a2, w1, w2, kBands}, left, right, numSamples);
    for (int j = 0; j < numSamples; ++j)
    {
        levelState = levelState * levelCoefA + levelTarget * levelCoefB;
        left[j] *= levelState;
        right[j] *= levelState;
    }
}

} // namespace qz::reference
