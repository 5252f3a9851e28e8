#include "dsp/sectioncascade.h"
#include "dsp/sectionlanes.h"

#include <immintrin.h>

// Compiled for the SSE2 baseline; only the functions marked for AVX use it, and the cascade calls
// them only where avxAvailable says so.

namespace qz {
namespace lanes {

namespace {

/** One sample through two lanes: four sections, each in the cascade's exact arithmetic. */
__attribute__((target("avx"))) inline __m256d sectionStep(__m256d x, const double* b0,
                                                          const double* b1, const double* b2,
                                                          const double* a1, const double* a2,
                                                          __m256d& w1, __m256d& w2)
{
    const __m256d feedback =
        _mm256_add_pd(_mm256_mul_pd(_mm256_load_pd(a1), w1), _mm256_mul_pd(_mm256_load_pd(a2), w2));
    const __m256d w = _mm256_sub_pd(_mm256_add_pd(x, _mm256_set1_pd(kAntiDenormal)), feedback);
    const __m256d y = _mm256_add_pd(
        _mm256_add_pd(_mm256_mul_pd(_mm256_load_pd(b2), w2), _mm256_mul_pd(_mm256_load_pd(b1), w1)),
        _mm256_mul_pd(_mm256_load_pd(b0), w));
    w2 = w1;
    w1 = w;
    return y;
}

/** Lane and lane + high of a bank array in one register, low and high. */
__attribute__((target("avx"))) inline __m256d gather(const double* elements, int lane, int high)
{
    return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_load_pd(&elements[2 * lane])),
                                _mm_load_pd(&elements[2 * (lane + high)]), 1);
}

__attribute__((target("avx"))) inline void scatter(double* elements, int lane, int high,
                                                   __m256d value)
{
    _mm_store_pd(&elements[2 * lane], _mm256_castpd256_pd128(value));
    _mm_store_pd(&elements[2 * (lane + high)], _mm256_extractf128_pd(value, 1));
}

} // namespace

bool avxAvailable()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}

namespace {

template <int Count>
__attribute__((target("avx"))) void runSteadySteps(LaneBank& bank, int firstLane, double* left,
                                                   double* right, int firstStep, int endStep)
{
    constexpr int kRegisters = avxRegisters(Count);
    constexpr int kHighLanes = Count - kRegisters;
    constexpr AvxOffsets kOffsets = avxOffsets(Count);
    constexpr int kTrail = kOffsets.lane[kRegisters];
    constexpr int kLastLow = kOffsets.lane[kRegisters - 1];
    constexpr int kLastHigh = kOffsets.lane[Count - 1];

    alignas(32) double coefficients[kRegisters][5][4];
    __m256d w1[kRegisters], w2[kRegisters], y[kRegisters];
    for (int r = 0; r < kRegisters; ++r)
    {
        const int lane = firstLane + r;
        _mm256_store_pd(coefficients[r][0], gather(bank.b0, lane, kRegisters));
        _mm256_store_pd(coefficients[r][1], gather(bank.b1, lane, kRegisters));
        _mm256_store_pd(coefficients[r][2], gather(bank.b2, lane, kRegisters));
        _mm256_store_pd(coefficients[r][3], gather(bank.a1, lane, kRegisters));
        _mm256_store_pd(coefficients[r][4], gather(bank.a2, lane, kRegisters));
        w1[r] = gather(bank.w1, lane, kRegisters);
        w2[r] = gather(bank.w2, lane, kRegisters);
        y[r] = gather(bank.carry, lane, kRegisters);
    }

    for (int t = firstStep; t < endStep; ++t)
    {
#pragma GCC unroll 4
        for (int r = kRegisters - 1; r >= 0; --r)
        {
            // The first register takes a new sample low and the low half's finished sample high.
            const __m256d x =
                r > 0 ? y[r - 1]
                      : _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_set_pd(right[t], left[t])),
                                             _mm_set_pd(right[t - kTrail], left[t - kTrail]), 1);
            y[r] = sectionStep(x, coefficients[r][0], coefficients[r][1], coefficients[r][2],
                               coefficients[r][3], coefficients[r][4], w1[r], w2[r]);
        }
        const __m128d lastLow = _mm256_castpd256_pd128(y[kRegisters - 1]);
        const __m128d lastHigh = _mm256_extractf128_pd(y[kHighLanes - 1], 1);
        _mm_storel_pd(&left[t - kLastLow], lastLow);
        _mm_storeh_pd(&right[t - kLastLow], lastLow);
        _mm_storel_pd(&left[t - kLastHigh], lastHigh);
        _mm_storeh_pd(&right[t - kLastHigh], lastHigh);
    }

    for (int r = 0; r < kRegisters; ++r)
    {
        scatter(bank.w1, firstLane + r, kRegisters, w1[r]);
        scatter(bank.w2, firstLane + r, kRegisters, w2[r]);
        scatter(bank.carry, firstLane + r, kRegisters, y[r]);
    }
}

} // namespace

const SteadySteps runSteadyStepsAvx[kAvxGroup - 1] = {
    runSteadySteps<2>, runSteadySteps<3>, runSteadySteps<4>, runSteadySteps<5>,
    runSteadySteps<6>, runSteadySteps<7>, runSteadySteps<8>};

} // namespace lanes
} // namespace qz
