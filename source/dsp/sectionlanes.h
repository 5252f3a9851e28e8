#pragma once

// Internal to the cascade: the sections of both channels paired into lanes for SIMD scheduling.

namespace qz {
namespace lanes {

constexpr int kMaxLanes = 32;

/**
 * Lane i pairs the i-th running section of the left channel (element 2i) with the i-th running
 * section of the right channel (element 2i + 1). In a group of lanes, lane l works on sample
 * t - offset[l] at step t. Where offsets follow on by one, a lane's input is the previous lane's
 * output of the step before, kept in carry; elsewhere the previous lane writes the block and the
 * lane reads it back a few steps later.
 */
struct alignas(32) LaneBank
{
    double b0[2 * kMaxLanes];
    double b1[2 * kMaxLanes];
    double b2[2 * kMaxLanes];
    double a1[2 * kMaxLanes];
    double a2[2 * kMaxLanes];
    double w1[2 * kMaxLanes];
    double w2[2 * kMaxLanes];
    double carry[2 * kMaxLanes];
};

/**
 * The AVX kernel runs groups of 2 to kAvxGroup lanes in (count + 1) / 2 registers: register r
 * holds lane r in its low half and lane r + (count + 1) / 2 in its high half. The high lanes trail
 * the low ones by two steps more than their number, reading the low half's output back from the
 * block, so that no register waits on itself. An odd count leaves the last high half to a lane of
 * zero coefficients whose output is never used.
 */
constexpr int kAvxGroup = 8;

constexpr int avxRegisters(int count)
{
    return (count + 1) / 2;
}

/** The step offsets of the lanes of an AVX group of count lanes. */
struct AvxOffsets
{
    int lane[kAvxGroup];
};

constexpr AvxOffsets avxOffsets(int count)
{
    AvxOffsets offsets{};
    const int registers = avxRegisters(count);
    for (int l = 0; l < count; ++l)
        offsets.lane[l] = l < registers ? l : l + 2;
    return offsets;
}

/** Whether this processor and its operating system run AVX instructions. */
bool avxAvailable();

using SteadySteps = void (*)(LaneBank& bank, int firstLane, double* left, double* right,
                             int firstStep, int endStep);

/**
 * Audio thread, AVX only: for count lanes (index count - 2), the steps [firstStep, endStep) of
 * the lanes from firstLane, with avxOffsets(count), in all of which every lane has a sample.
 * With an odd count, lane firstLane + count of the bank must hold zeros. Allocates nothing,
 * takes no lock.
 */
extern const SteadySteps runSteadyStepsAvx[kAvxGroup - 1];

} // namespace lanes
} // namespace qz
