#include "host/hostconnection.h"

#include "controller/plugcontroller.h"
#include "factory/plugids.h"
#include "processor/paramstate.h"

#include "base/source/updatehandler.h"
#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::testhost::ControllerInstance;
using qz::testhost::HostConnection;
using qz::testhost::PluginModule;
using qz::testhost::ProcessorInstance;
using qz::testhost::StateBytes;

namespace {

constexpr size_t kBypassOffset = 264;

StateBytes bytesOf(const ParamState& state)
{
    MemoryStream stream;
    EXPECT_EQ(state.write(&stream), kResultOk);
    return qz::testhost::streamBytes(stream);
}

StateBytes withBypassField(StateBytes bytes, int32 bypass)
{
    std::memcpy(bytes.data() + kBypassOffset, &bypass, sizeof bypass); // x86-64 is little endian
    return bytes;
}

/** Values that no mapping produces by chance: none is a short binary fraction. */
ParamState unusualState()
{
    ParamState state = ParamState::defaults();
    for (int32 id = 0; id < kNumValues; ++id)
        state.values[id] = std::nextafter(std::sqrt((id + 1) / 40.0), 0.0);
    state.bypass = true;
    return state;
}

/** The 33 normalised values a controller should hold for a state. */
std::vector<ParamValue> expectedValues(const ParamState& state)
{
    std::vector<ParamValue> values(state.values, state.values + kNumValues);
    values.push_back(state.bypass ? 1.0 : 0.0);
    return values;
}

bool sameBits(const std::vector<ParamValue>& a, const std::vector<ParamValue>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

/** A host session: the processor, the controller of the class the processor names, both
    initialized and connected. */
class HostSession : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(processor.initialize(), kResultOk);
        ASSERT_EQ(controller.initialize(), kResultOk);
        connection.emplace(processor, controller);
    }
    void TearDown() override { connection.reset(); }

    std::vector<ParamValue> controllerValues() const { return controller.normalizedValues(33); }

    PluginModule module{qz::testhost::builtModulePath()};
    ProcessorInstance processor{module, PlugProcessorUID.toTUID()};
    ControllerInstance controller{module, processor.controllerClassId().toTUID()};
    std::optional<HostConnection> connection;
};

TEST_F(HostSession, ControllerFollowsARestoredProjectBitForBitWithoutTellingTheHost)
{
    const ParamState project = unusualState();
    ASSERT_EQ(processor.restoreState(bytesOf(project)), kResultOk);

    ASSERT_EQ(connection->mirrorProcessorState(), kResultOk);
    EXPECT_TRUE(sameBits(controllerValues(), expectedValues(project)));
    EXPECT_TRUE(connection->componentHandler().records().empty());

    const ParamState defaults = ParamState::defaults();
    ASSERT_EQ(processor.restoreState(bytesOf(defaults)), kResultOk);
    ASSERT_EQ(connection->mirrorProcessorState(), kResultOk);
    EXPECT_TRUE(sameBits(controllerValues(), expectedValues(defaults)));
}

TEST_F(HostSession, BypassFollowsTheSignOfTheStoredField)
{
    const StateBytes defaults = bytesOf(ParamState::defaults());
    for (auto [field, expected] : {std::pair{7, 1.0}, {0, 0.0}, {-1, 0.0}, {1, 1.0}})
    {
        ASSERT_EQ(controller.setComponentState(withBypassField(defaults, field)), kResultOk);
        EXPECT_EQ(controller.controller()->getParamNormalized(kBypassId), expected) << field;
    }
}

TEST_F(HostSession, MissingOrShortStateChangesNoParameter)
{
    const ParamState project = unusualState();
    ASSERT_EQ(controller.setComponentState(bytesOf(project)), kResultOk);

    EXPECT_EQ(controller.controller()->setComponentState(nullptr), kResultFalse);
    const StateBytes full = bytesOf(ParamState::defaults());
    for (size_t size : {size_t(0), size_t(8), size_t(100), full.size() - 1})
        EXPECT_EQ(controller.setComponentState(StateBytes(full.begin(), full.begin() + size)),
                  kResultFalse)
            << size;
    EXPECT_TRUE(sameBits(controllerValues(), expectedValues(project)));
}

TEST_F(HostSession, LongerStateIsReadForItsRecordOnly)
{
    const ParamState project = unusualState();
    StateBytes longer = bytesOf(project);
    longer.insert(longer.end(), 16, char(0x55));
    ASSERT_EQ(controller.setComponentState(longer), kResultOk);
    EXPECT_TRUE(sameBits(controllerValues(), expectedValues(project)));
}

TEST_F(HostSession, StoredValuesOutsideTheRangeEndAtItsEdgesAsInTheProcessor)
{
    ParamState foreign = unusualState();
    foreign.values[kFirstBandId + 4] = 5.0;
    foreign.values[kLevelId] = -0.25;
    foreign.values[kFirstBandId + 9] = std::numeric_limits<double>::quiet_NaN();
    foreign.values[kFirstBandId + 10] = -std::numeric_limits<double>::infinity();
    ParamState expected = unusualState();
    expected.values[kFirstBandId + 4] = 1.0;
    expected.values[kLevelId] = 0.0;
    expected.values[kFirstBandId + 9] = 0.5; // not a number: the parameter's default
    expected.values[kFirstBandId + 10] = 0.0;

    ASSERT_EQ(controller.setComponentState(bytesOf(foreign)), kResultOk);
    ASSERT_EQ(processor.restoreState(bytesOf(foreign)), kResultOk);
    EXPECT_TRUE(sameBits(controllerValues(), expectedValues(expected)));
    EXPECT_EQ(processor.saveState(), bytesOf(expected));
}

TEST(ControllerBeforeInitialize, AcceptsAStateButHasNoParameterToSet)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ControllerInstance controller{module, PlugControllerUID.toTUID()};
    EXPECT_EQ(controller.setComponentState(bytesOf(unusualState())), kResultOk);
    EXPECT_EQ(controller.controller()->getParameterCount(), 0);
}

/** Counts the change notifications of the objects it depends on. */
class ChangeCounter : public FObject
{
public:
    void PLUGIN_API update(FUnknown*, int32 message) SMTG_OVERRIDE
    {
        if (message == kChanged)
            ++changes;
    }
    int changes = 0;
};

// Open editors follow their parameters through these notifications.
TEST(ControllerStateNotifications, OnlyParametersWhoseValueChangesNotify)
{
    UpdateHandler::instance();
    IPtr<PlugController> controller = owned(new PlugController);
    ASSERT_EQ(controller->initialize(nullptr), kResultOk);
    ChangeCounter level;
    ChangeCounter band;
    controller->getParameterObject(kLevelId)->addDependent(&level);
    controller->getParameterObject(kFirstBandId)->addDependent(&band);

    ParamState state = ParamState::defaults();
    state.values[kFirstBandId] = 0.8;
    MemoryStream stream;
    ASSERT_EQ(state.write(&stream), kResultOk);
    stream.seek(0, IBStream::kIBSeekSet, nullptr);
    ASSERT_EQ(controller->setComponentState(&stream), kResultOk);
    EXPECT_EQ(level.changes, 0);
    EXPECT_EQ(band.changes, 1);

    controller->getParameterObject(kLevelId)->removeDependent(&level);
    controller->getParameterObject(kFirstBandId)->removeDependent(&band);
    controller->terminate();
}

} // namespace
