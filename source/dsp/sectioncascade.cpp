#include "dsp/sectioncascade.h"
#include "dsp/sectionlanes.h"

#include <emmintrin.h>

namespace qz {

namespace {

using lanes::LaneBank;

// Lanes per group in the SSE2 kernel: enough independent sections to hide a section's latency.
constexpr int kSse2Group = 4;

const InstructionSet widest = lanes::avxAvailable() ? InstructionSet::avx : InstructionSet::sse2;

bool runs(double gainDb)
{
    return gainDb < 0.0 || gainDb > 0.0;
}

/** One sample through a lane: both channels' sections, each in the cascade's exact arithmetic. */
inline __m128d sectionStep(__m128d x, const double* b0, const double* b1, const double* b2,
                           const double* a1, const double* a2, __m128d& w1, __m128d& w2)
{
    const __m128d feedback =
        _mm_add_pd(_mm_mul_pd(_mm_load_pd(a1), w1), _mm_mul_pd(_mm_load_pd(a2), w2));
    const __m128d w = _mm_sub_pd(_mm_add_pd(x, _mm_set1_pd(kAntiDenormal)), feedback);
    const __m128d y =
        _mm_add_pd(_mm_add_pd(_mm_mul_pd(_mm_load_pd(b2), w2), _mm_mul_pd(_mm_load_pd(b1), w1)),
                   _mm_mul_pd(_mm_load_pd(b0), w));
    w2 = w1;
    w1 = w;
    return y;
}

/**
 * Steps [firstStep, endStep) of the count lanes from firstLane, with their states in the bank:
 * lane l runs sample t - offsets[l] where the block has it. Used where a group's lanes start and
 * finish.
 */
void runEdgeSteps(LaneBank& bank, int firstLane, const int* offsets, int count, double* left,
                  double* right, int numSamples, int firstStep, int endStep)
{
    for (int t = firstStep; t < endStep; ++t)
        for (int l = count - 1; l >= 0; --l)
        {
            const int s = t - offsets[l];
            if (s < 0 || s >= numSamples)
                continue;
            const int e = 2 * (firstLane + l);
            const bool readsBlock = l == 0 || offsets[l] != offsets[l - 1] + 1;
            const bool writesBlock = l == count - 1 || offsets[l + 1] != offsets[l] + 1;
            const __m128d x =
                readsBlock ? _mm_set_pd(right[s], left[s]) : _mm_load_pd(&bank.carry[e - 2]);
            __m128d w1 = _mm_load_pd(&bank.w1[e]);
            __m128d w2 = _mm_load_pd(&bank.w2[e]);
            const __m128d y = sectionStep(x, &bank.b0[e], &bank.b1[e], &bank.b2[e], &bank.a1[e],
                                          &bank.a2[e], w1, w2);
            _mm_store_pd(&bank.w1[e], w1);
            _mm_store_pd(&bank.w2[e], w2);
            if (writesBlock)
            {
                _mm_storel_pd(&left[s], y);
                _mm_storeh_pd(&right[s], y);
            }
            else
            {
                _mm_store_pd(&bank.carry[e], y);
            }
        }
}

/** Steps in which all Group lanes from firstLane have a sample, with the states in registers. */
template <int Group>
void runSteadyStepsSse2(LaneBank& bank, int firstLane, double* left, double* right, int firstStep,
                        int endStep)
{
    const int e0 = 2 * firstLane;
    __m128d w1[Group], w2[Group], y[Group];
    for (int l = 0; l < Group; ++l)
    {
        w1[l] = _mm_load_pd(&bank.w1[e0 + 2 * l]);
        w2[l] = _mm_load_pd(&bank.w2[e0 + 2 * l]);
        y[l] = _mm_load_pd(&bank.carry[e0 + 2 * l]);
    }
    for (int t = firstStep; t < endStep; ++t)
    {
#pragma GCC unroll 8
        for (int l = Group - 1; l >= 0; --l)
        {
            const int e = e0 + 2 * l;
            y[l] = sectionStep(l == 0 ? _mm_set_pd(right[t], left[t]) : y[l - 1], &bank.b0[e],
                               &bank.b1[e], &bank.b2[e], &bank.a1[e], &bank.a2[e], w1[l], w2[l]);
        }
        _mm_storel_pd(&left[t - (Group - 1)], y[Group - 1]);
        _mm_storeh_pd(&right[t - (Group - 1)], y[Group - 1]);
    }
    for (int l = 0; l < Group; ++l)
    {
        _mm_store_pd(&bank.w1[e0 + 2 * l], w1[l]);
        _mm_store_pd(&bank.w2[e0 + 2 * l], w2[l]);
        _mm_store_pd(&bank.carry[e0 + 2 * l], y[l]);
    }
}

using lanes::SteadySteps;

/** A group of lanes over the block: its starting edge, the steady steps, its finishing edge. */
void runGroup(LaneBank& bank, int firstLane, const int* offsets, int count, SteadySteps steady,
              double* left, double* right, int numSamples)
{
    const int lastOffset = offsets[count - 1];
    if (numSamples <= lastOffset)
    {
        runEdgeSteps(bank, firstLane, offsets, count, left, right, numSamples, 0,
                     numSamples + lastOffset);
        return;
    }
    runEdgeSteps(bank, firstLane, offsets, count, left, right, numSamples, 0, lastOffset);
    steady(bank, firstLane, left, right, lastOffset, numSamples);
    runEdgeSteps(bank, firstLane, offsets, count, left, right, numSamples, numSamples,
                 numSamples + lastOffset);
}

constexpr int kSse2Offsets[kSse2Group] = {0, 1, 2, 3};

constexpr lanes::AvxOffsets kAvxOffsets[lanes::kAvxGroup + 1] = {{},
                                                                 {},
                                                                 lanes::avxOffsets(2),
                                                                 lanes::avxOffsets(3),
                                                                 lanes::avxOffsets(4),
                                                                 lanes::avxOffsets(5),
                                                                 lanes::avxOffsets(6),
                                                                 lanes::avxOffsets(7),
                                                                 lanes::avxOffsets(8)};

constexpr SteadySteps kSse2Steady[kSse2Group + 1] = {nullptr, runSteadyStepsSse2<1>,
                                                     runSteadyStepsSse2<2>, runSteadyStepsSse2<3>,
                                                     runSteadyStepsSse2<4>};

/** The plain order for a section that has no partner on the other channel. */
void runSection(const SectionArrays& sections, int s, double* x, int numSamples)
{
    const double b0 = sections.b0[s], b1 = sections.b1[s], b2 = sections.b2[s];
    const double a1 = sections.a1[s], a2 = sections.a2[s];
    double w1 = sections.w1[s], w2 = sections.w2[s];
    for (int j = 0; j < numSamples; ++j)
    {
        const double w = (x[j] + kAntiDenormal) - (a1 * w1 + a2 * w2);
        x[j] = (b2 * w2 + b1 * w1) + b0 * w;
        w2 = w1;
        w1 = w;
    }
    sections.w1[s] = w1;
    sections.w2[s] = w2;
}

} // namespace

InstructionSet widestInstructionSet()
{
    return widest;
}

void runSections(const SectionArrays& sections, double* left, double* right, int numSamples,
                 InstructionSet instructions)
{
    const int perChannel = sections.sectionsPerChannel;
    int leftRunning[kMaxSectionsPerChannel];
    int rightRunning[kMaxSectionsPerChannel];
    int leftCount = 0, rightCount = 0;
    for (int band = 0; band < perChannel; ++band)
    {
        if (runs(sections.gainDb[band]))
            leftRunning[leftCount++] = band;
        if (runs(sections.gainDb[band + perChannel]))
            rightRunning[rightCount++] = band + perChannel;
    }

    // Each channel's sections stay in their order; the channels are independent, so the i-th
    // section of one shares a lane with the i-th of the other.
    const int paired = leftCount < rightCount ? leftCount : rightCount;
    LaneBank bank;
    const auto enter = [&](int element, int s) {
        bank.b0[element] = sections.b0[s];
        bank.b1[element] = sections.b1[s];
        bank.b2[element] = sections.b2[s];
        bank.a1[element] = sections.a1[s];
        bank.a2[element] = sections.a2[s];
        bank.w1[element] = sections.w1[s];
        bank.w2[element] = sections.w2[s];
    };
    for (int i = 0; i < paired; ++i)
    {
        enter(2 * i, leftRunning[i]);
        enter(2 * i + 1, rightRunning[i]);
    }
    // The lane after the last one pads a group of odd size in the AVX kernel.
    if (paired < lanes::kMaxLanes)
    {
        double* const arrays[] = {bank.b0, bank.b1, bank.b2, bank.a1,
                                  bank.a2, bank.w1, bank.w2, bank.carry};
        for (double* array : arrays)
            array[2 * paired] = array[2 * paired + 1] = 0.0;
    }

    const int groupSize = instructions == InstructionSet::avx ? lanes::kAvxGroup : kSse2Group;
    for (int lane = 0; lane < paired; lane += groupSize)
    {
        const int count = paired - lane < groupSize ? paired - lane : groupSize;
        if (instructions == InstructionSet::avx && count > 1)
            runGroup(bank, lane, kAvxOffsets[count].lane, count,
                     lanes::runSteadyStepsAvx[count - 2], left, right, numSamples);
        else
            runGroup(bank, lane, kSse2Offsets, count, kSse2Steady[count], left, right, numSamples);
    }

    for (int i = 0; i < paired; ++i)
    {
        sections.w1[leftRunning[i]] = bank.w1[2 * i];
        sections.w2[leftRunning[i]] = bank.w2[2 * i];
        sections.w1[rightRunning[i]] = bank.w1[2 * i + 1];
        sections.w2[rightRunning[i]] = bank.w2[2 * i + 1];
    }
    for (int i = paired; i < leftCount; ++i)
        runSection(sections, leftRunning[i], left, numSamples);
    for (int i = paired; i < rightCount; ++i)
        runSection(sections, rightRunning[i], right, numSamples);
}

} // namespace qz
