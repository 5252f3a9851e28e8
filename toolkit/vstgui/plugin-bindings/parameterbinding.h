#pragma once

#include "vstgui/lib/iviewlistener.h"

#include "base/source/fobject.h"
#include "public.sdk/source/vst/vstparameters.h"

#include <vector>

namespace VSTGUI {

class CControl;

/**
 * Keeps the controls of one parameter at the parameter's value. It hears of the parameter's
 * changes through the SDK's dependency mechanism and only notes them; flush, run by the editor's
 * idle timer, moves the controls. Value displays among the controls show the parameter's value
 * text.
 */
class ParameterBinding : public Steinberg::FObject, private ViewListenerAdapter
{
public:
    explicit ParameterBinding(Steinberg::Vst::Parameter* parameter);
    ~ParameterBinding() override;

    /** Binds the control and moves it to the parameter's value at once. */
    void addControl(CControl* control);
    /** Moves the controls when the parameter changed since the last flush. */
    void flush();
    /** Stops hearing the parameter and the controls; the binding is inert afterwards. */
    void detach();

    void PLUGIN_API update(Steinberg::FUnknown* changedUnknown,
                           Steinberg::int32 message) SMTG_OVERRIDE;

    OBJ_METHODS(ParameterBinding, FObject)

private:
    void viewWillDelete(CView* view) override;
    void moveControls();

    Steinberg::IPtr<Steinberg::Vst::Parameter> parameter;
    std::vector<CControl*> controls;
    bool changePending = false;
};

} // namespace VSTGUI
