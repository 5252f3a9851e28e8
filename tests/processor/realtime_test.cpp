// Replaces malloc and operator new for this whole binary, the loaded module included, to count
// the heap allocations made while counting is switched on; and tan, which every filter design
// calls, to count designs.
#include "host/parameterchanges.h"
#include "host/processorinstance.h"
#include "host/stereoblock.h"

#include "factory/plugids.h"
#include "processor/paramstate.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* pointer);
}

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
std::atomic<long> tangents{0};

void countOne()
{
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
}

void* allocate(size_t size)
{
    countOne();
    if (void* pointer = __libc_malloc(size ? size : 1))
        return pointer;
    throw std::bad_alloc();
}

void* allocateAligned(size_t size, std::align_val_t alignment)
{
    countOne();
    if (void* pointer = __libc_memalign(static_cast<size_t>(alignment), size ? size : 1))
        return pointer;
    throw std::bad_alloc();
}

} // namespace

extern "C" {
void* malloc(size_t size)
{
    countOne();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size)
{
    countOne();
    return __libc_calloc(count, size);
}
void* realloc(void* pointer, size_t size)
{
    countOne();
    return __libc_realloc(pointer, size);
}
void free(void* pointer)
{
    __libc_free(pointer);
}
}

void* operator new(size_t size)
{
    return allocate(size);
}
void* operator new[](size_t size)
{
    return allocate(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    countOne();
    return __libc_malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    countOne();
    return __libc_malloc(size ? size : 1);
}
void* operator new(size_t size, std::align_val_t alignment)
{
    return allocateAligned(size, alignment);
}
void* operator new[](size_t size, std::align_val_t alignment)
{
    return allocateAligned(size, alignment);
}
extern "C" double tan(double x) noexcept
{
    using Tangent = double (*)(double);
    static const auto next = reinterpret_cast<Tangent>(dlsym(RTLD_NEXT, "tan"));
    if (counting.load(std::memory_order_relaxed))
        tangents.fetch_add(1, std::memory_order_relaxed);
    return next(x);
}

void operator delete(void* pointer) noexcept
{
    __libc_free(pointer);
}
void operator delete[](void* pointer) noexcept
{
    __libc_free(pointer);
}
void operator delete(void* pointer, size_t) noexcept
{
    __libc_free(pointer);
}
void operator delete[](void* pointer, size_t) noexcept
{
    __libc_free(pointer);
}
void operator delete(void* pointer, std::align_val_t) noexcept
{
    __libc_free(pointer);
}
void operator delete[](void* pointer, std::align_val_t) noexcept
{
    __libc_free(pointer);
}

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::testhost::ParameterChanges;
using qz::testhost::PluginModule;
using qz::testhost::ProcessorInstance;
using qz::testhost::StereoBlock;

namespace {

/** What counter counts while body runs. */
template <typename Body> long countDuring(std::atomic<long>& counter, Body body)
{
    counter = 0;
    counting = true;
    body();
    counting = false;
    return counter;
}

/** Heap allocations made while body runs. */
template <typename Body> long allocationsDuring(Body body)
{
    return countDuring(allocations, body);
}

/** Calls of tan, two for each band design, made while body runs. */
template <typename Body> long tangentsDuring(Body body)
{
    return countDuring(tangents, body);
}

TEST(RealTimeSafety, TheCounterSeesTheModulesAllocations)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
    ASSERT_EQ(instance.initialize(), kResultOk);
    ASSERT_EQ(instance.setupProcessing(48000, 512, kSample32), kResultOk);
    EXPECT_GE(allocationsDuring([&] { instance.setActive(true); }), 2);
}

template <typename Sample> void expectNoAllocationWhileProcessing()
{
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
    ASSERT_EQ(instance.prepare(48000, 512, StereoBlock<Sample>::kSampleSize), kResultOk);

    std::mt19937 random(17);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    StereoBlock<Sample> block(512);
    for (int c = 0; c < 2; ++c)
        for (int32 j = 0; j < block.size(); ++j)
            block.input(c)[j] = static_cast<Sample>(unit(random) - 0.5);

    long total = 0;
    for (int round = 0; round < 3000; ++round)
    {
        ParameterChanges changes;
        for (int queue = 0; queue < 4; ++queue)
            changes.set(static_cast<ParamID>(unit(random) * 33), unit(random));
        if (round % 50 == 0)
            changes.set(kBypassId, round % 100 == 0 ? 1.0 : 0.0);
        block.inputBuffers().silenceFlags = round % 7 == 0 ? 3 : 0;
        ProcessData& data = block.data(&changes);
        total += allocationsDuring([&] { instance.process(data); });
    }
    EXPECT_EQ(total, 0);
}

TEST(RealTimeSafety, ProcessingThirtyTwoBitBlocksWithChangesAllocatesNothing)
{
    expectNoAllocationWhileProcessing<float>();
}

TEST(RealTimeSafety, ProcessingSixtyFourBitBlocksWithChangesAllocatesNothing)
{
    expectNoAllocationWhileProcessing<double>();
}

TEST(RealTimeSafety, ABlockDesignsItsFiltersOnceHoweverManyQueuesItCarries)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance instance{module, PlugProcessorUID.toTUID()};
    ASSERT_EQ(instance.prepare(48000, 64, kSample64), kResultOk);
    StereoBlock<double> block(64);

    const auto tangentsForQueues = [&](int queues, ParamID firstId, double value) {
        ParameterChanges changes;
        for (int queue = 0; queue < queues; ++queue)
            changes.set(firstId + static_cast<ParamID>(queue) % 33, value);
        ProcessData& data = block.data(&changes);
        return tangentsDuring([&] { instance.process(data); });
    };
    const long oneDesign = tangentsForQueues(33, kLevelId, 0.8); // every band boosted
    EXPECT_GT(oneDesign, 0) << "the counter sees the module's designs";
    EXPECT_EQ(tangentsForQueues(1, kLevelId, 0.7), oneDesign);
    EXPECT_EQ(tangentsForQueues(1000, kLevelId, 0.6), oneDesign);
    EXPECT_EQ(tangentsForQueues(1000, 33, 0.6), 0) << "unknown parameters change nothing";
}

} // namespace
