#include "controller/plugcontroller.h"

#include "controller/plugaboutcontroller.h"
#include "controller/qzrangeparameter.h"
#include "processor/paramstate.h"

#include "vstgui/plugin-bindings/vst3editor.h"

#include "pluginterfaces/vst/ivsthostapplication.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Steinberg {
namespace Vst {

namespace {

constexpr int32 kDecibelPrecision = 2;

// Display titles only: band 3 reads "31.5Hz" though the processor's centre is 31 Hz.
const TChar* const kBandTitles[kNumBands] = {
    STR16("20Hz"),   STR16("25Hz"),   STR16("31.5Hz"),  STR16("40Hz"),    STR16("50Hz"),
    STR16("63Hz"),   STR16("80Hz"),   STR16("100Hz"),   STR16("125Hz"),   STR16("160Hz"),
    STR16("200Hz"),  STR16("250Hz"),  STR16("315Hz"),   STR16("400Hz"),   STR16("500Hz"),
    STR16("630Hz"),  STR16("800Hz"),  STR16("1kHz"),    STR16("1.25kHz"), STR16("1.6kHz"),
    STR16("2kHz"),   STR16("2.5kHz"), STR16("3.15kHz"), STR16("4kHz"),    STR16("5kHz"),
    STR16("6.3kHz"), STR16("8kHz"),   STR16("10kHz"),   STR16("12.5kHz"), STR16("16kHz"),
    STR16("20kHz"),
};

bool isHighSurrogate(TChar unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(TChar unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The SDK's parser converts the text to UTF-8 and throws on a surrogate that has no partner.
bool isWellFormedText(const TChar* text)
{
    if (!text)
        return false;
    for (; *text; ++text)
    {
        if (isLowSurrogate(*text))
            return false;
        if (isHighSurrogate(*text) && !isLowSurrogate(*++text))
            return false;
    }
    return true;
}

} // namespace

FUnknown* PlugController::createInstance(void*)
{
    return static_cast<IEditController*>(new PlugController);
}

tresult PLUGIN_API PlugController::initialize(FUnknown* context)
{
    // A refused or repeated initialize (a null context lets the base accept it again) leaves the
    // parameters as they are.
    if (EditController::initialize(context) == kResultOk && parameters.getParameterCount() == 0)
        addParameters();
    return kResultOk;
}

void PlugController::addParameters()
{
    auto addDecibels = [this](const TChar* title, ParamID id, double minDb, double maxDb) {
        auto* parameter = new QZRangeParameter(title, id, STR16("dB"), ParameterInfo::kCanAutomate,
                                               minDb, maxDb, 0.0);
        parameter->setPrecision(kDecibelPrecision);
        parameters.addParameter(parameter);
    };
    addDecibels(STR16("Level"), kLevelId, kLevelMinDb, kLevelMaxDb);
    for (int32 band = 0; band < kNumBands; ++band)
        addDecibels(kBandTitles[band], kFirstBandId + band, kBandMinDb, kBandMaxDb);
    parameters.addParameter(STR16("Bypass"), nullptr, 1, bypassToNormalized(false),
                            ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, kBypassId);
}

tresult PLUGIN_API PlugController::setComponentState(IBStream* state)
{
    ParamState saved{};
    const tresult result = saved.read(state);
    if (result != kResultOk)
        return result;
    for (ParamID id = kLevelId; id < static_cast<ParamID>(kNumValues); ++id)
        setParamNormalized(id, saved.values[id]);
    setParamNormalized(kBypassId, bypassToNormalized(saved.bypass));
    return kResultOk;
}

PlugController::~PlugController() = default;

IPlugView* PLUGIN_API PlugController::createView(FIDString name)
{
    if (!FIDStringsEqual(name, ViewType::kEditor))
        return nullptr;
    setKnobMode(kLinearMode);
    auto* editor = new VSTGUI::VST3Editor(this, "view", "plug.uidesc");
    // Without its UI description the editor could never show anything: answer no editor.
    if (!editor->hasTemplate())
    {
        editor->release();
        return nullptr;
    }
    return editor;
}

VSTGUI::IController* PlugController::createSubController(VSTGUI::UTF8StringPtr name,
                                                         const VSTGUI::IUIDescription*,
                                                         VSTGUI::VST3Editor*)
{
    if (!name || std::strcmp(name, "AboutController") != 0)
        return nullptr;
    FUnknownPtr<IVst3ToAUWrapper> auWrapper(hostContext);
    auto* aboutController = new AboutController(this, auWrapper != nullptr);
    addAboutController(aboutController);
    return aboutController;
}

void PlugController::addAboutController(AboutController* aboutController)
{
    aboutControllers.push_back(aboutController);
}

void PlugController::removeAboutController(AboutController* aboutController)
{
    const auto found = std::find(aboutControllers.begin(), aboutControllers.end(), aboutController);
    if (found != aboutControllers.end())
        aboutControllers.erase(found);
}

tresult PLUGIN_API PlugController::getParameterInfo(int32 paramIndex, ParameterInfo& info)
{
    // The container throws for an index it does not hold.
    if (paramIndex < 0 || paramIndex >= parameters.getParameterCount())
        return kResultFalse;
    return EditController::getParameterInfo(paramIndex, info);
}

tresult PLUGIN_API PlugController::getParamStringByValue(ParamID tag, ParamValue valueNormalized,
                                                         String128 string)
{
    if (!string)
        return kResultFalse;
    return EditController::getParamStringByValue(tag, valueNormalized, string);
}

tresult PLUGIN_API PlugController::getParamValueByString(ParamID tag, TChar* string,
                                                         ParamValue& valueNormalized)
{
    if (!isWellFormedText(string))
        return kResultFalse;
    ParamValue parsed = 0.0;
    if (EditController::getParamValueByString(tag, string, parsed) != kResultTrue ||
        std::isnan(parsed))
        return kResultFalse;
    // The range parameters clamp to their range already; the bypass would pass "5" on as is.
    valueNormalized = std::clamp(parsed, 0.0, 1.0);
    return kResultTrue;
}

} // namespace Vst
} // namespace Steinberg
