#include "controller/plugcontroller.h"
#include "factory/plugids.h"
#include "processor/plugprocessor.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/main/pluginfactory.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
{
    if (gPluginFactory)
    {
        gPluginFactory->addRef();
        return gPluginFactory;
    }

    static const PFactoryInfo factoryInfo(QZ_VENDOR, QZ_URL, QZ_EMAIL, PFactoryInfo::kUnicode);
    auto* factory = new CPluginFactory(factoryInfo);
    gPluginFactory = factory;

    const TUID processorCid = INLINE_UID_FROM_FUID(PlugProcessorUID);
    static const PClassInfo2 processorClass(
        processorCid, PClassInfo::kManyInstances, kVstAudioEffectClass, QZ_PLUGIN_NAME,
        Vst::kDistributable, PlugType::kFxEQ, nullptr, QZ_FULL_VERSION, kVstVersionString);
    factory->registerClass(&processorClass, PlugProcessor::createInstance);

    const TUID controllerCid = INLINE_UID_FROM_FUID(PlugControllerUID);
    static const PClassInfo2 controllerClass(controllerCid, PClassInfo::kManyInstances,
                                             kVstComponentControllerClass, QZ_CONTROLLER_NAME, 0,
                                             "", nullptr, QZ_FULL_VERSION, kVstVersionString);
    factory->registerClass(&controllerClass, PlugController::createInstance);

    return factory;
}
