#pragma once

namespace qz {

/**
 * The peaking sections of a stereo cascade as parallel arrays owned by the caller: sections
 * [0, sectionsPerChannel) filter the left channel in rising order, the next sectionsPerChannel
 * the right channel, with sectionsPerChannel up to kMaxSectionsPerChannel. A section runs only
 * when its gain in dB is non-zero (a NaN gain skips it).
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

constexpr int kMaxSectionsPerChannel = 32;

/** Added to every running section's input so that its states never decay into denormals. */
constexpr double kAntiDenormal = 1e-18;

/** The instruction sets the cascade has kernels for; SSE2 is part of every x86-64 processor. */
enum class InstructionSet
{
    sse2,
    avx,
};

/** The widest instruction set that this processor and its operating system run. */
InstructionSet widestInstructionSet();

/**
 * Filters both channels in place through their running sections, each a Direct Form II biquad:
 * w = (x + 1e-18) - (a1 w1 + a2 w2), y = (b2 w2 + b1 w1) + b0 w.
 * Each channel's sections run in their order and each section over its samples in order, so the
 * result is that of running them one after the other over the whole block, bit for bit, with
 * either instruction set; instructions must be one this processor runs.
 * Audio thread: allocates nothing, takes no lock.
 */
void runSections(const SectionArrays& sections, double* left, double* right, int numSamples,
                 InstructionSet instructions = widestInstructionSet());

} // namespace qz
