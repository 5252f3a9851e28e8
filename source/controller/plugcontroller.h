#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {

/** The equaliser's edit controller: publishes the 33 parameters and mirrors the processor's
    state into them. It keeps no state of its own. */
class PlugController : public EditController
{
public:
    static FUnknown* createInstance(void* context);

    /** Creates the parameters; a second initialize keeps those of the first and answers kResultOk.
     */
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    /** Sets every parameter from the processor's state without telling the host; a stream that
        fails to read changes nothing. */
    tresult PLUGIN_API setComponentState(IBStream* state) SMTG_OVERRIDE;
    /** Answers no view; asked for the "editor" view, it puts the module's knobs in linear mode. */
    IPlugView* PLUGIN_API createView(FIDString name) SMTG_OVERRIDE;

    /** kResultFalse for an index without parameter. */
    tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) SMTG_OVERRIDE;
    /** Refuses a missing or malformed text and one that holds no number; the result lies in 0..1.
     */
    tresult PLUGIN_API getParamValueByString(ParamID tag, TChar* string,
                                             ParamValue& valueNormalized) SMTG_OVERRIDE;

private:
    void addParameters();
};

} // namespace Vst
} // namespace Steinberg
