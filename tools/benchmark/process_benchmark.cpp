// Times the module's process at 48 kHz through the test host, against the plain band-by-band
// order of the same 31 sections, and the cascade's kernels on their own.
#include "host/parameterchanges.h"
#include "host/processorinstance.h"
#include "host/stereoblock.h"
#include "reference/plainequaliser.h"

#include "dsp/sectioncascade.h"
#include "factory/plugids.h"
#include "processor/paramstate.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::testhost::ParameterChanges;
using qz::testhost::PluginModule;
using qz::testhost::ProcessorInstance;
using qz::testhost::StereoBlock;

namespace {

constexpr double kRate = 48000.0;

enum class Setting
{
    flat,           // every band at 0 dB: no section runs
    allBands,       // all 31 bands at +6 or -6 dB
    changeEachBlock // all 31 bands active and one band moved in every block
};

/** Records the samples per iteration, from which the report derives its per-sample figures. */
void reportPerSample(benchmark::State& state, int32 blockSize)
{
    state.counters["samples"] = blockSize;
}

/** Prints each run as nanoseconds per stereo sample and the real-time factor at 48 kHz. */
class PerSampleReporter : public benchmark::ConsoleReporter
{
public:
    bool ReportContext(const Context& context) override
    {
        PrintBasicContext(&GetErrorStream(), context);
        std::printf("%-48s %14s %16s\n", "benchmark", "ns per sample", "x real time");
        return true;
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
        {
            // With repetitions, the mean stands for them.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean")
                continue;
            const auto samples = run.counters.find("samples");
            if (run.error_occurred || samples == run.counters.end())
            {
                std::printf("%-48s %s\n", run.benchmark_name().c_str(), run.error_message.c_str());
                continue;
            }
            const double nanoseconds = run.GetAdjustedRealTime() /
                                       benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9 /
                                       samples->second.value;
            std::printf("%-48s %14.2f %16.1f\n", run.benchmark_name().c_str(), nanoseconds,
                        1e9 / kRate / nanoseconds);
        }
        std::fflush(stdout);
    }
};

/** A block of stereo noise. */
struct Noise
{
    explicit Noise(int blockSize) : left(static_cast<size_t>(blockSize)), right(left.size())
    {
        std::mt19937 random(1);
        std::uniform_real_distribution<double> noise(-0.5, 0.5);
        for (size_t j = 0; j < left.size(); ++j)
        {
            left[j] = noise(random);
            right[j] = noise(random);
        }
    }
    std::vector<double> left, right;
};

double alternatingBand(int band)
{
    return band % 2 == 0 ? 0.75 : 0.25; // +6 dB and -6 dB
}

/** The built module's processor, prepared at 48 kHz, with a block of noise to filter. */
template <typename Sample> class ModuleUnderTest
{
public:
    /** With allBands, every band is first set to +6 or -6 dB. */
    ModuleUnderTest(int32 blockSize, bool allBands)
        : instance(module, PlugProcessorUID.toTUID()), block(blockSize)
    {
        started = instance.prepare(kRate, blockSize, StereoBlock<Sample>::kSampleSize) == kResultOk;
        const Noise input(blockSize);
        std::copy(input.left.begin(), input.left.end(), block.input(0));
        std::copy(input.right.begin(), input.right.end(), block.input(1));
        if (started && allBands)
        {
            ParameterChanges bands;
            for (int band = 0; band < kNumBands; ++band)
                bands.set(kFirstBandId + band, alternatingBand(band));
            instance.process(block.data(&bands));
        }
    }

    bool started = false;

    /** Filters the block, taking changes (may be null) as a host hands them over. */
    void process(ParameterChanges* changes)
    {
        instance.process(block.data(changes));
        benchmark::DoNotOptimize(block.output(0)[block.size() - 1]);
    }

private:
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance instance;
    StereoBlock<Sample> block;
};

template <typename Sample> void processThroughModule(benchmark::State& state, Setting setting)
{
    const auto blockSize = static_cast<int32>(state.range(0));
    ModuleUnderTest<Sample> module(blockSize, setting != Setting::flat);
    if (!module.started)
    {
        state.SkipWithError("the processor did not start");
        return;
    }
    // Two alternating changes, so that every block moves one band.
    ParameterChanges moves[2];
    moves[0].set(kFirstBandId + 17, 0.8);
    moves[1].set(kFirstBandId + 17, 0.7);

    int64_t blocks = 0;
    for (auto _ : state)
    {
        module.process(setting == Setting::changeEachBlock ? &moves[blocks & 1] : nullptr);
        ++blocks;
    }
    reportPerSample(state, blockSize);
}

/** 64-bit blocks of 64 samples through all 31 bands, each carrying as many queues as the
    argument, every queue a value for the level or a band. */
void queuesPerBlock(benchmark::State& state)
{
    constexpr int32 kBlockSize = 64;
    const auto queueCount = static_cast<int>(state.range(0));
    ModuleUnderTest<double> module(kBlockSize, true);
    if (!module.started)
    {
        state.SkipWithError("the processor did not start");
        return;
    }
    // The same queues every block, as a host reuses its queues: each block stores the values
    // again and so redesigns the filters.
    ParameterChanges changes;
    for (int queue = 0; queue < queueCount; ++queue)
    {
        const auto id = static_cast<ParamID>(queue % kNumValues);
        changes.set(id, id == kLevelId ? 0.7 : alternatingBand(int(id) - kFirstBandId) + 0.01);
    }

    for (auto _ : state)
        module.process(&changes);
    reportPerSample(state, kBlockSize);
}

void process32(benchmark::State& state, Setting setting)
{
    processThroughModule<float>(state, setting);
}

void process64(benchmark::State& state, Setting setting)
{
    processThroughModule<double>(state, setting);
}

/** The plain order of the same 31 active bands, 64-bit, with the level smoother. */
void plainOrder(benchmark::State& state)
{
    const auto blockSize = static_cast<int>(state.range(0));
    qz::reference::PlainEqualiser equaliser(kRate);
    double values[kNumValues];
    values[kLevelId] = 0.75;
    for (int band = 0; band < kNumBands; ++band)
        values[kFirstBandId + band] = alternatingBand(band);
    equaliser.setValues(values, true);

    const Noise input(blockSize);
    std::vector<double> left(input.left.size()), right(input.right.size());
    for (auto _ : state)
    {
        // The same input every block, so that no signal grows or dies away over the run.
        std::copy(input.left.begin(), input.left.end(), left.begin());
        std::copy(input.right.begin(), input.right.end(), right.begin());
        equaliser.process(left.data(), right.data(), blockSize);
        benchmark::DoNotOptimize(left.back());
    }
    reportPerSample(state, blockSize);
}

/** The 62 sections alone, in the plain order or through a kernel. */
void cascade(benchmark::State& state, bool plain, qz::InstructionSet instructions)
{
    if (!plain && instructions == qz::InstructionSet::avx &&
        qz::widestInstructionSet() != qz::InstructionSet::avx)
    {
        state.SkipWithError("this processor has no AVX");
        return;
    }
    const auto blockSize = static_cast<int>(state.range(0));
    double gainDb[2 * kNumBands], b0[2 * kNumBands], b1[2 * kNumBands], b2[2 * kNumBands],
        a1[2 * kNumBands], a2[2 * kNumBands], w1[2 * kNumBands] = {}, w2[2 * kNumBands] = {};
    for (int s = 0; s < 2 * kNumBands; ++s)
    {
        const int band = s % kNumBands;
        gainDb[s] = band % 2 == 0 ? 6.0 : -6.0;
        const qz::BiquadCoefficients c = qz::reference::bandSection(band, gainDb[s], kRate);
        b0[s] = c.b0;
        b1[s] = c.b1;
        b2[s] = c.b2;
        a1[s] = c.a1;
        a2[s] = c.a2;
    }
    const qz::SectionArrays sections{gainDb, b0, b1, b2, a1, a2, w1, w2, kNumBands};

    const Noise input(blockSize);
    std::vector<double> left(input.left.size()), right(input.right.size());
    for (auto _ : state)
    {
        std::copy(input.left.begin(), input.left.end(), left.begin());
        std::copy(input.right.begin(), input.right.end(), right.begin());
        if (plain)
            qz::reference::runSectionsInOrder(sections, left.data(), right.data(), blockSize);
        else
            qz::runSections(sections, left.data(), right.data(), blockSize, instructions);
        benchmark::DoNotOptimize(left.back());
    }
    reportPerSample(state, blockSize);
}

void blockSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(32)->Arg(512)->Arg(4096);
}

BENCHMARK_CAPTURE(process32, flat, Setting::flat)->Apply(blockSizes);
BENCHMARK_CAPTURE(process64, flat, Setting::flat)->Apply(blockSizes);
BENCHMARK_CAPTURE(process32, all_bands, Setting::allBands)->Apply(blockSizes);
BENCHMARK_CAPTURE(process64, all_bands, Setting::allBands)->Apply(blockSizes);
BENCHMARK_CAPTURE(process32, change_each_block, Setting::changeEachBlock)->Apply(blockSizes);
BENCHMARK_CAPTURE(process64, change_each_block, Setting::changeEachBlock)->Apply(blockSizes);
BENCHMARK(queuesPerBlock)->Name("process64/queues_per_64_samples")->Arg(1)->Arg(33)->Arg(1000);
BENCHMARK(plainOrder)->Name("plain_order64/all_bands")->Arg(512);
BENCHMARK_CAPTURE(cascade, plain, true, qz::InstructionSet::sse2)->Arg(512);
BENCHMARK_CAPTURE(cascade, sse2, false, qz::InstructionSet::sse2)->Arg(512);
BENCHMARK_CAPTURE(cascade, avx, false, qz::InstructionSet::avx)->Arg(512);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    PerSampleReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
