#pragma once

#include <complex>

namespace qz {

/** Coefficients of H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2). */
struct BiquadCoefficients
{
    double b0, b1, b2, a1, a2;
};

/**
 * Peaking section with prescribed Nyquist gain (Orfanidis): gainDb at centreHz, the band-edge gain
 * at centreHz +- bandwidthHz / 2, and at half the sample rate the gain the analogue prototype has
 * there. A cut is the exact reciprocal of the boost of the same size. gainDb must not be 0.
 */
BiquadCoefficients designPeakingSection(double centreHz, double gainDb, double bandwidthHz,
                                        double sampleRate);

/** |H| at frequencyHz, evaluated on the unit circle. */
double magnitudeAt(const BiquadCoefficients& c, double frequencyHz, double sampleRate);

} // namespace qz
