#include "host/controllerinstance.h"

#include "controller/plugcontroller.h"
#include "factory/plugids.h"
#include "processor/paramstate.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <gtest/gtest.h>

#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::testhost::ControllerInstance;
using qz::testhost::PluginModule;

namespace {

std::u16string field(const String128 text)
{
    return reinterpret_cast<const char16_t*>(text);
}

TChar* text(const char16_t* literal)
{
    return const_cast<TChar*>(reinterpret_cast<const TChar*>(literal));
}

class HostedController : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(instance.initialize(), kResultOk); }

    std::u16string valueText(ParamID id, ParamValue normalized)
    {
        String128 string = {};
        EXPECT_EQ(controller()->getParamStringByValue(id, normalized, string), kResultTrue);
        return field(string);
    }

    IEditController* controller() const { return instance.controller(); }

    PluginModule module{qz::testhost::builtModulePath()};
    ControllerInstance instance{module, PlugControllerUID.toTUID()};
};

TEST_F(HostedController, PublishesLevelThirtyOneBandsAndBypassInIdOrder)
{
    const char16_t* titles[] = {u"Level", u"20Hz",    u"25Hz",   u"31.5Hz", u"40Hz",   u"50Hz",
                                u"63Hz",  u"80Hz",    u"100Hz",  u"125Hz",  u"160Hz",  u"200Hz",
                                u"250Hz", u"315Hz",   u"400Hz",  u"500Hz",  u"630Hz",  u"800Hz",
                                u"1kHz",  u"1.25kHz", u"1.6kHz", u"2kHz",   u"2.5kHz", u"3.15kHz",
                                u"4kHz",  u"5kHz",    u"6.3kHz", u"8kHz",   u"10kHz",  u"12.5kHz",
                                u"16kHz", u"20kHz",   u"Bypass"};
    ASSERT_EQ(controller()->getParameterCount(), 33);
    for (int32 index = 0; index < 33; ++index)
    {
        SCOPED_TRACE(index);
        ParameterInfo info{};
        ASSERT_EQ(controller()->getParameterInfo(index, info), kResultTrue);
        const bool bypass = index == 32;
        EXPECT_EQ(info.id, static_cast<ParamID>(index));
        EXPECT_EQ(field(info.title), titles[index]);
        EXPECT_EQ(field(info.shortTitle), u"");
        EXPECT_EQ(field(info.units), bypass ? u"" : u"dB");
        EXPECT_EQ(info.stepCount, bypass ? 1 : 0);
        EXPECT_EQ(info.flags, bypass ? 0x10001 : ParameterInfo::kCanAutomate);
        EXPECT_EQ(info.unitId, kRootUnitId);
        EXPECT_EQ(info.defaultNormalizedValue, index == 0 ? 0.75 : bypass ? 0.0 : 0.5);
        EXPECT_EQ(controller()->getParamNormalized(info.id), info.defaultNormalizedValue);
    }
}

TEST_F(HostedController, ShowsDecibelsWithTwoDecimalsAndBypassAsOnOff)
{
    EXPECT_EQ(valueText(kLevelId, 0.75), u"0.00");
    EXPECT_EQ(valueText(kLevelId, 0.0), u"-36.00");
    EXPECT_EQ(valueText(kLevelId, 1.0), u"12.00");
    EXPECT_EQ(valueText(kFirstBandId, 0.0), u"-12.00");
    EXPECT_EQ(valueText(kFirstBandId + 30, 0.5), u"0.00");
    EXPECT_EQ(valueText(kFirstBandId + 30, 1.0), u"12.00");
    EXPECT_EQ(valueText(kBypassId, 0.5), u"Off");
    EXPECT_EQ(valueText(kBypassId, 0.51), u"On");
}

TEST_F(HostedController, ConvertsLinearlyBetweenNormalisedAndDecibels)
{
    EXPECT_EQ(controller()->normalizedParamToPlain(kLevelId, 0.75), 0.0);
    EXPECT_EQ(controller()->normalizedParamToPlain(kLevelId, 0.25), -24.0);
    EXPECT_EQ(controller()->normalizedParamToPlain(kFirstBandId + 4, 0.25), -6.0);
    EXPECT_EQ(controller()->plainParamToNormalized(kFirstBandId + 4, 12.0), 1.0);
    EXPECT_EQ(controller()->plainParamToNormalized(kLevelId, -36.0), 0.0);
    EXPECT_EQ(controller()->normalizedParamToPlain(kBypassId, 0.7), 0.7);
    EXPECT_EQ(controller()->plainParamToNormalized(kBypassId, 0.3), 0.3);
}

TEST_F(HostedController, TypedValuesBecomeNormalisedValuesInsideTheRange)
{
    ParamValue normalized = -1.0;
    ASSERT_EQ(controller()->getParamValueByString(kFirstBandId, text(u"-6"), normalized),
              kResultTrue);
    EXPECT_EQ(normalized, 0.25);
    ASSERT_EQ(controller()->getParamValueByString(kLevelId, text(u"0.00"), normalized),
              kResultTrue);
    EXPECT_EQ(normalized, 0.75);
    ASSERT_EQ(controller()->getParamValueByString(kLevelId, text(u"-99"), normalized), kResultTrue);
    EXPECT_EQ(normalized, 0.0);
    ASSERT_EQ(controller()->getParamValueByString(kBypassId, text(u"1"), normalized), kResultTrue);
    EXPECT_EQ(normalized, 1.0);
    ASSERT_EQ(controller()->getParamValueByString(kBypassId, text(u"5"), normalized), kResultTrue);
    EXPECT_EQ(normalized, 1.0);
}

TEST_F(HostedController, RefusesTextsWithoutANumberAndLeavesTheValueAlone)
{
    const char16_t loneLowSurrogate[] = {0xDC00, u'1', 0};
    const char16_t loneHighSurrogate[] = {u'1', 0xD800, 0};
    for (const char16_t* refused :
         {u"", u"loud", u"dB", u"nan", loneLowSurrogate, loneHighSurrogate})
    {
        ParamValue normalized = 0.3;
        EXPECT_EQ(controller()->getParamValueByString(kFirstBandId, text(refused), normalized),
                  kResultFalse);
        EXPECT_EQ(normalized, 0.3);
    }
    ParamValue normalized = 0.3;
    EXPECT_EQ(controller()->getParamValueByString(kFirstBandId, nullptr, normalized), kResultFalse);
    EXPECT_EQ(controller()->getParamStringByValue(kFirstBandId, 0.5, nullptr), kResultFalse);
    EXPECT_EQ(controller()->getParamValueByString(kBypassId, text(u"Off"), normalized),
              kResultFalse);
    EXPECT_EQ(normalized, 0.3);
}

TEST_F(HostedController, UnknownIdsAndIndicesAreRefused)
{
    String128 string = {};
    ParamValue normalized = 0.0;
    ParameterInfo info{};
    for (ParamID id : {33u, 1000u, 0xFFFFFFFFu})
    {
        EXPECT_EQ(controller()->getParamStringByValue(id, 0.5, string), kResultFalse);
        EXPECT_EQ(controller()->getParamValueByString(id, text(u"1"), normalized), kResultFalse);
        EXPECT_EQ(controller()->setParamNormalized(id, 0.5), kResultFalse);
        EXPECT_EQ(controller()->getParamNormalized(id), 0.0);
    }
    for (int32 index : {33, -1, 1 << 30})
        EXPECT_EQ(controller()->getParameterInfo(index, info), kResultFalse);
}

TEST_F(HostedController, SecondInitializeKeepsTheParametersAndTheirValues)
{
    ASSERT_EQ(controller()->setParamNormalized(kFirstBandId + 2, 0.9), kResultTrue);
    EXPECT_EQ(instance.initialize(), kResultOk);
    EXPECT_EQ(controller()->getParameterCount(), 33);
    EXPECT_EQ(controller()->getParamNormalized(kFirstBandId + 2), 0.9);
}

TEST_F(HostedController, TerminateRemovesTheParametersAndInitializeRestoresTheDefaults)
{
    ASSERT_EQ(controller()->setParamNormalized(kLevelId, 0.1), kResultTrue);
    ASSERT_EQ(instance.terminate(), kResultOk);
    EXPECT_EQ(controller()->getParameterCount(), 0);
    ParameterInfo info{};
    EXPECT_EQ(controller()->getParameterInfo(0, info), kResultFalse);

    ASSERT_EQ(instance.initialize(), kResultOk);
    EXPECT_EQ(controller()->getParameterCount(), 33);
    EXPECT_EQ(controller()->getParamNormalized(kLevelId), 0.75);
}

TEST_F(HostedController, KeepsNoStateOfItsOwnAndOffersOnlyTheEditControllerInterfaces)
{
    EXPECT_EQ(controller()->setState(nullptr), kNotImplemented);
    EXPECT_EQ(controller()->getState(nullptr), kNotImplemented);

    EXPECT_TRUE(instance.controller2());
    EXPECT_TRUE(FUnknownPtr<IConnectionPoint>(controller()));
    EXPECT_FALSE(FUnknownPtr<IUnitInfo>(controller()));
    EXPECT_FALSE(FUnknownPtr<IMidiMapping>(controller()));
    EXPECT_EQ(instance.controller2()->openHelp(false), kResultFalse);
    EXPECT_EQ(instance.controller2()->openAboutBox(false), kResultFalse);
}

TEST(ControllerWithoutHostContext, CreatesItsParametersOnceOnly)
{
    PluginModule module{qz::testhost::builtModulePath()};
    ControllerInstance instance{module, PlugControllerUID.toTUID()};
    EXPECT_EQ(instance.controller()->getParameterCount(), 0);
    ASSERT_EQ(instance.initialize(nullptr), kResultOk);
    EXPECT_EQ(instance.controller()->getParameterCount(), 33);
    ASSERT_EQ(instance.initialize(nullptr), kResultOk);
    EXPECT_EQ(instance.controller()->getParameterCount(), 33);
}

// The knob mode and the parameter objects live inside the module; these tests use the
// controller class directly.
class LocalController : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(controller->initialize(nullptr), kResultOk); }
    void TearDown() override { controller->terminate(); }

    IPtr<PlugController> controller = owned(new PlugController);
};

TEST_F(LocalController, DecibelParametersPrintTwoDecimalsAndBypassKeepsTheDefaultPrecision)
{
    for (ParamID id = kLevelId; id < kBypassId; ++id)
        EXPECT_EQ(controller->getParameterObject(id)->getPrecision(), 2) << id;
    EXPECT_EQ(controller->getParameterObject(kBypassId)->getPrecision(), 4);
}

TEST_F(LocalController, OpeningTheEditorSetsLinearKnobsWhateverTheHostChoseBefore)
{
    ASSERT_EQ(controller->setKnobMode(kCircularMode), kResultTrue);
    for (FIDString other : {"Editor", "editor2", "", static_cast<const char*>(nullptr)})
    {
        EXPECT_EQ(controller->createView(other), nullptr);
        EXPECT_EQ(EditController::getHostKnobMode(), kCircularMode) << (other ? other : "null");
    }
    IPtr<IPlugView> first = owned(controller->createView(ViewType::kEditor));
    EXPECT_EQ(EditController::getHostKnobMode(), kLinearMode);

    ASSERT_EQ(controller->setKnobMode(kRelativCircularMode), kResultTrue);
    EXPECT_EQ(EditController::getHostKnobMode(), kRelativCircularMode);
    IPtr<IPlugView> second = owned(controller->createView(ViewType::kEditor));
    EXPECT_EQ(EditController::getHostKnobMode(), kLinearMode);
}

} // namespace
