#include "processor/paramstate.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <utility>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::vector<unsigned char> bytesOf(const ParamState& state)
{
    MemoryStream stream;
    EXPECT_EQ(state.write(&stream), kResultOk);
    const auto* data = reinterpret_cast<const unsigned char*>(stream.getData());
    return {data, data + stream.getSize()};
}

tresult readBytes(ParamState& state, std::vector<unsigned char> bytes)
{
    MemoryStream stream(bytes.data(), static_cast<TSize>(bytes.size()));
    return state.read(&stream);
}

void putLittleEndian(std::vector<unsigned char>& bytes, size_t offset, const void* value,
                     size_t size)
{
    std::memcpy(bytes.data() + offset, value, size); // x86-64 is little endian
}

ParamState distinctState()
{
    ParamState state = ParamState::defaults();
    for (int32 id = 0; id < kNumValues; ++id)
        state.values[id] = 0.01 * id + 1.0 / 3.0;
    state.bypass = true;
    return state;
}

bool sameFields(const ParamState& a, const ParamState& b)
{
    return std::memcmp(a.values, b.values, sizeof a.values) == 0 && a.bypass == b.bypass;
}

TEST(StateStream, DefaultRecordHasTheDocumentedLayout)
{
    std::vector<unsigned char> expected(8, 0x00);
    for (unsigned char byte : {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE8, 0x3F})
        expected.push_back(byte);
    for (int band = 0; band < 31; ++band)
        for (unsigned char byte : {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0, 0x3F})
            expected.push_back(byte);
    for (int i = 0; i < 4; ++i)
        expected.push_back(0x00);

    EXPECT_EQ(bytesOf(ParamState::defaults()), expected);
    EXPECT_EQ(expected.size(), static_cast<size_t>(ParamState::kStreamSize));
}

TEST(StateStream, RoundTripRestoresEveryValueBitForBit)
{
    const ParamState written = distinctState();
    ParamState restored = ParamState::defaults();
    ASSERT_EQ(readBytes(restored, bytesOf(written)), kResultOk);
    EXPECT_TRUE(sameFields(restored, written));
}

TEST(StateStream, ShortOrMissingStreamChangesNothing)
{
    const auto full = bytesOf(distinctState());
    // Cut at the end, inside the reserved field, inside a value, and inside the bypass.
    for (size_t length : {size_t(267), size_t(0), size_t(5), size_t(8 + 8 * 10 + 3), size_t(265)})
    {
        ParamState state = ParamState::defaults();
        std::vector<unsigned char> cut(full.begin(), full.begin() + static_cast<long>(length));
        EXPECT_EQ(readBytes(state, cut), kResultFalse) << "length " << length;
        EXPECT_TRUE(sameFields(state, ParamState::defaults())) << "length " << length;
    }
    ParamState state = ParamState::defaults();
    EXPECT_EQ(state.read(nullptr), kResultFalse);
    EXPECT_TRUE(sameFields(state, ParamState::defaults()));
}

TEST(StateStream, ReadsOnlyTheRecordAndAcceptsAnyReservedWordAndValues)
{
    auto bytes = bytesOf(distinctState());
    const uint64 reserved = 0xDEADBEEFCAFEF00Dull;
    putLittleEndian(bytes, 0, &reserved, 8);
    bytes.insert(bytes.end(), {0x11, 0x22, 0x33});

    ParamState state = ParamState::defaults();
    ASSERT_EQ(readBytes(state, bytes), kResultOk);
    EXPECT_TRUE(sameFields(state, distinctState())) << "a stream this module wrote reads unchanged";
}

TEST(StateStream, ValuesOutsideTheRangeEndAtItsEdgesAndNotANumberTakesTheDefault)
{
    auto bytes = bytesOf(distinctState());
    const std::pair<int32, double> stored[] = {
        {kLevelId, -0.25},
        {kFirstBandId, 5.0},
        {kFirstBandId + 1, std::numeric_limits<double>::infinity()},
        {kFirstBandId + 2, -std::numeric_limits<double>::infinity()},
        {kFirstBandId + 3, std::numeric_limits<double>::quiet_NaN()}};
    for (const auto& [id, value] : stored)
        putLittleEndian(bytes, 8 + 8 * static_cast<size_t>(id), &value, 8);
    auto levelNotANumber = bytes;
    const double notANumber = -std::numeric_limits<double>::quiet_NaN();
    putLittleEndian(levelNotANumber, 8, &notANumber, 8);

    ParamState state{};
    ASSERT_EQ(readBytes(state, bytes), kResultOk);
    EXPECT_EQ(state.values[kLevelId], 0.0);
    EXPECT_EQ(state.values[kFirstBandId], 1.0);
    EXPECT_EQ(state.values[kFirstBandId + 1], 1.0);
    EXPECT_EQ(state.values[kFirstBandId + 2], 0.0);
    EXPECT_EQ(state.values[kFirstBandId + 3], 0.5);
    EXPECT_EQ(state.values[kFirstBandId + 4], distinctState().values[kFirstBandId + 4]);
    ASSERT_EQ(readBytes(state, levelNotANumber), kResultOk);
    EXPECT_EQ(state.values[kLevelId], 0.75);
}

TEST(StateStream, BypassIntegerIsOnOnlyWhenPositive)
{
    for (auto [stored, on] : {std::pair{2, true}, {1, true}, {0, false}, {-1, false}})
    {
        auto bytes = bytesOf(ParamState::defaults());
        const int32 value = stored;
        putLittleEndian(bytes, 264, &value, 4);
        ParamState state = ParamState::defaults();
        ASSERT_EQ(readBytes(state, bytes), kResultOk);
        EXPECT_EQ(state.bypass, on) << "stored " << stored;

        const auto rewritten = bytesOf(state);
        int32 written = 0;
        std::memcpy(&written, rewritten.data() + 264, 4);
        EXPECT_EQ(written, on ? 1 : 0);
    }
}

class RefusingStream : public MemoryStream
{
public:
    explicit RefusingStream(int32 limit) : capacity(limit) {}
    tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override
    {
        const int32 room = std::max(0, capacity - static_cast<int32>(getSize()));
        return MemoryStream::write(buffer, std::min(numBytes, room), numBytesWritten);
    }

private:
    int32 capacity;
};

TEST(StateStream, WriteReportsAStreamThatRunsFull)
{
    RefusingStream stream(100);
    EXPECT_EQ(ParamState::defaults().write(&stream), kResultFalse);
    EXPECT_EQ(ParamState::defaults().write(nullptr), kResultFalse);
}

TEST(ValueMappings, LevelBandAndBypass)
{
    EXPECT_EQ(levelToDb(0.75), 0.0);
    EXPECT_EQ(levelToDb(0.0), -36.0);
    EXPECT_EQ(levelToDb(1.0), 12.0);
    EXPECT_EQ(bandToDb(0.5), 0.0);
    EXPECT_EQ(bandToDb(0.0), -12.0);
    EXPECT_FALSE(bypassFromNormalized(0.5));
    EXPECT_TRUE(bypassFromNormalized(0.5000001));
    EXPECT_TRUE(bypassFromNormalized(std::numeric_limits<double>::quiet_NaN()));
}

} // namespace
