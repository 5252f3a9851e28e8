#pragma once

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cvstguitimer.h"
#include "vstgui/plugin-bindings/parameterbinding.h"
#include "vstgui/plugin-bindings/vst3editordelegate.h"
#include "vstgui/uidescription/icontroller.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

#include <map>
#include <memory>
#include <string>

namespace VSTGUI {

class IPlatformWindow;
class UIDescription;

/**
 * The editor view of an edit controller, built from a template of a UI description that lies in
 * the bundle's resources. It holds a reference on the controller for its whole life (through
 * the SDK's EditorView), builds its views when the host attaches it and deletes them, with their
 * sub-controllers, when the host removes it. Controls whose tag names a parameter edit that
 * parameter and follow its changes, which the idle timer carries to them.
 */
class VST3Editor : public Steinberg::Vst::EditorView, public IController
{
public:
    static constexpr uint32_t idleIntervalMs = 25;

    VST3Editor(Steinberg::Vst::EditController* controller, UTF8StringPtr templateName,
               UTF8StringPtr xmlFile);
    ~VST3Editor() override;

    /** Whether the UI description was read and holds the template with a size from 1 to 32767
        pixels each way; otherwise nothing opens. */
    bool hasTemplate() const;
    /** The frame while the editor is attached, otherwise null. */
    CFrame* getFrame() const { return frame.get(); }
    VST3EditorDelegate* getDelegate() const { return delegate; }

    Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API removed() SMTG_OVERRIDE;
    /** The editor keeps the template's size: any other size is refused. */
    Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) SMTG_OVERRIDE;

    void valueChanged(CControl* control) override;
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;
    CView* createView(const UIAttributes& attributes, const IUIDescription* description) override;
    CView* verifyView(CView* view, const UIAttributes& attributes,
                      const IUIDescription* description) override;
    IController* createSubController(UTF8StringPtr name,
                                     const IUIDescription* description) override;

private:
    bool open();
    void close();
    void bindControls();
    /** The bound parameter of a control that this editor serves, or null. */
    Steinberg::Vst::Parameter* boundParameter(CControl* control) const;
    void onIdle();

    std::string templateName;
    std::unique_ptr<UIDescription> description;
    VST3EditorDelegate* delegate;
    SharedPointer<CFrame> frame;
    std::unique_ptr<IPlatformWindow> window;
    SharedPointer<CVSTGUITimer> idleTimer;
    std::map<Steinberg::Vst::ParamID, Steinberg::IPtr<ParameterBinding>> bindings;
};

} // namespace VSTGUI
