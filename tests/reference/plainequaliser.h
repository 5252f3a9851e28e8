#pragma once

#include "dsp/peakingdesign.h"
#include "dsp/sectioncascade.h"

namespace qz::reference {

/** The bands' centre frequencies in Hz, rising. */
extern const int kBandCentresHz[31];

/** The third-octave peaking section of band at gainDb (not 0). */
BiquadCoefficients bandSection(int band, double gainDb, double sampleRate);

/** The sections of both channels in the plain order: band by band, each over the whole block. */
void runSectionsInOrder(const SectionArrays& sections, double* left, double* right, int numSamples);

/**
 * A second, plain model of the processor's audio path at one sample rate: the band gains and
 * level as normalised values, 31 peaking sections per channel run band by band, and the output
 * level smoother. Sections keep their states while their band sits at 0 dB.
 */
class PlainEqualiser
{
public:
    static constexpr int kBands = 31;

    explicit PlainEqualiser(double sampleRate);

    /** values[0] the level, values[1 + k] the gain of band k, all normalised; with reset the
        level starts at its target instead of gliding there. */
    void setValues(const double (&values)[kBands + 1], bool reset);
    /** Filters both channels in place. */
    void process(double* left, double* right, int numSamples);

private:
    double sampleRate;
    double gainDb[2 * kBands] = {};
    double b0[2 * kBands] = {}, b1[2 * kBands] = {}, b2[2 * kBands] = {};
    double a1[2 * kBands] = {}, a2[2 * kBands] = {};
    double w1[2 * kBands] = {}, w2[2 * kBands] = {};
    double levelTarget = 0.0;
    double levelState = 0.0;
    double levelCoefA;
    double levelCoefB;
};

} // namespace qz::reference
