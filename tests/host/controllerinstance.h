#pragma once

#include "host/pluginmodule.h"
#include "host/processorinstance.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

namespace qz::testhost {

/**
 * The edit controller of a loaded module, driven in the order a host uses: create through
 * IEditController, initialize with a host context; on destruction terminate and release.
 */
class ControllerInstance
{
public:
    ControllerInstance(const PluginModule& module, const Steinberg::TUID cid);
    ~ControllerInstance();
    ControllerInstance(const ControllerInstance&) = delete;
    ControllerInstance& operator=(const ControllerInstance&) = delete;

    Steinberg::Vst::IEditController* controller() const { return controllerPtr; }
    Steinberg::IPtr<Steinberg::Vst::IEditController2> controller2() const;

    /** With the instance's own host context. */
    Steinberg::tresult initialize();
    Steinberg::tresult initialize(Steinberg::FUnknown* context);
    Steinberg::tresult terminate();

    /** Hands the controller a component state as the host would after loading a project. */
    Steinberg::tresult setComponentState(const StateBytes& bytes);

    /** getParamNormalized for every ID from 0 to count - 1. */
    std::vector<Steinberg::Vst::ParamValue> normalizedValues(Steinberg::int32 count) const;

private:
    Steinberg::Vst::HostApplication hostContext;
    Steinberg::IPtr<Steinberg::Vst::IEditController> controllerPtr;
    bool initialized = false;
};

} // namespace qz::testhost
