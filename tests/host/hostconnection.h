#pragma once

#include "host/controllerinstance.h"
#include "host/processorinstance.h"
#include "host/recordingcomponenthandler.h"

#include "pluginterfaces/vst/ivstmessage.h"

namespace qz::testhost {

/**
 * Joins an initialized processor and controller as a host does: connects their connection points
 * both ways and gives the controller a recording component handler; on destruction clears the
 * handler and disconnects both ways. Destroy it before either instance.
 */
class HostConnection
{
public:
    HostConnection(ProcessorInstance& processor, ControllerInstance& controller);
    ~HostConnection();
    HostConnection(const HostConnection&) = delete;
    HostConnection& operator=(const HostConnection&) = delete;

    RecordingComponentHandler& componentHandler() const { return *handler; }

    /** Carries the processor's getState into the controller's setComponentState, as a host does
        after connecting and after loading a project; the first failing call's result. */
    Steinberg::tresult mirrorProcessorState();

private:
    ProcessorInstance& processor;
    ControllerInstance& controller;
    Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> processorPoint;
    Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> controllerPoint;
    Steinberg::IPtr<RecordingComponentHandler> handler;
};

} // namespace qz::testhost
