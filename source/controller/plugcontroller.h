#pragma once

#include "vstgui/plugin-bindings/vst3editordelegate.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

#include <vector>

namespace Steinberg {
namespace Vst {

template <typename ControllerType> class PlugAboutController;

/** The equaliser's edit controller: publishes the 33 parameters, mirrors the processor's
    state into them and opens the editor with its about box. It keeps no state of its own. */
class PlugController : public EditController, public VSTGUI::VST3EditorDelegate
{
public:
    using AboutController = PlugAboutController<PlugController>;

    static FUnknown* createInstance(void* context);

    /** The about boxes' sub-controllers are not deleted here: each editor, and with it every
        about box, ends before its controller. */
    ~PlugController() override;

    /** Creates the parameters; a second initialize keeps those of the first and answers kResultOk.
     */
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    /** Sets every parameter from the processor's state without telling the host; a stream that
        fails to read changes nothing. */
    tresult PLUGIN_API setComponentState(IBStream* state) SMTG_OVERRIDE;
    /** A new editor for the name "editor", with the module's knobs put in linear mode; nullptr for
        any other name, or when the UI description cannot be read. */
    IPlugView* PLUGIN_API createView(FIDString name) SMTG_OVERRIDE;

    /** kResultFalse for an index without parameter. */
    tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) SMTG_OVERRIDE;
    /** kResultFalse without a text buffer to write to. */
    tresult PLUGIN_API getParamStringByValue(ParamID tag, ParamValue valueNormalized,
                                             String128 string) SMTG_OVERRIDE;
    /** Refuses a missing or malformed text and one that holds no number; the result lies in 0..1.
     */
    tresult PLUGIN_API getParamValueByString(ParamID tag, TChar* string,
                                             ParamValue& valueNormalized) SMTG_OVERRIDE;

    /** A new about-box sub-controller for the name "AboutController", otherwise nullptr. */
    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr name,
                                             const VSTGUI::IUIDescription* description,
                                             VSTGUI::VST3Editor* editor) override;

    void addAboutController(AboutController* aboutController);
    /** Removes the first entry equal to aboutController, if any. */
    void removeAboutController(AboutController* aboutController);
    /** The live about-box sub-controllers, in the order of their creation; not owned. */
    const std::vector<AboutController*>& getAboutControllers() const { return aboutControllers; }

private:
    void addParameters();

    std::vector<AboutController*> aboutControllers;
};

} // namespace Vst
} // namespace Steinberg
