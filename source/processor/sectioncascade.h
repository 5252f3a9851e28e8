#pragma once

namespace qz {

/**
 * The peaking sections of a stereo cascade as parallel arrays owned by the caller: sections
 * [0, sectionsPerChannel) filter the left channel in rising order, the next sectionsPerChannel
 * the right channel. A section runs only when its gain in dB is non-zero (a NaN gain skips it).
 */
struct SectionArrays
{
    const double* gainDb;
    const double* b0;
    const double* b1;
    const double* b2;
    const double* a1;
    const double* a2;
    double* w1;
    double* w2;
    int sectionsPerChannel;
};

/** Added to every running section's input so that its states never decay into denormals. */
constexpr double kAntiDenormal = 1e-18;

/**
 * Filters both channels in place through their running sections, each a Direct Form II biquad:
 * w = (x + 1e-18) - (a1 w1 + a2 w2), y = (b2 w2 + b1 w1) + b0 w.
 * Audio thread: allocates nothing, takes no lock.
 */
void runSections(const SectionArrays& sections, double* left, double* right, int numSamples);

} // namespace qz
