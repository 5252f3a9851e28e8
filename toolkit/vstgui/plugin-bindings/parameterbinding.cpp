#include "vstgui/plugin-bindings/parameterbinding.h"

#include "vstgui/lib/controls/cparamdisplay.h"
#include "vstgui/lib/controls/ctextlabel.h"

#include "base/source/fstring.h"

#include <algorithm>

namespace VSTGUI {

ParameterBinding::ParameterBinding(Steinberg::Vst::Parameter* boundParameter)
    : parameter(boundParameter)
{
    parameter->addDependent(this);
}

ParameterBinding::~ParameterBinding()
{
    detach();
}

void ParameterBinding::addControl(CControl* control)
{
    if (!parameter || std::find(controls.begin(), controls.end(), control) != controls.end())
        return;
    controls.push_back(control);
    control->registerViewListener(this);
    auto* display = dynamic_cast<CParamDisplay*>(control);
    if (display && !dynamic_cast<CTextLabel*>(display))
    {
        Steinberg::IPtr<Steinberg::Vst::Parameter> shown = parameter;
        display->setValueToStringFunction([shown, display](float, std::string& text) {
            Steinberg::Vst::String128 utf16{};
            shown->toString(display->getValueNormalized(), utf16);
            Steinberg::String converted(utf16);
            converted.toMultiByte(Steinberg::kCP_Utf8);
            text = converted.text8();
            return true;
        });
    }
    control->setValueNormalized(static_cast<float>(parameter->getNormalized()));
    control->setDirty(false);
    control->invalid();
}

void ParameterBinding::flush()
{
    if (!changePending)
        return;
    changePending = false;
    moveControls();
}

void ParameterBinding::moveControls()
{
    const auto value = static_cast<float>(parameter->getNormalized());
    for (auto* control : controls)
    {
        control->setValueNormalized(value);
        // The change came from the parameter: the control reports nothing back.
        if (control->isDirty())
        {
            control->setDirty(false);
            control->invalid();
        }
    }
}

void ParameterBinding::detach()
{
    for (auto* control : controls)
        control->unregisterViewListener(this);
    controls.clear();
    if (parameter)
    {
        parameter->removeDependent(this);
        parameter = nullptr;
    }
    changePending = false;
}

void PLUGIN_API ParameterBinding::update(Steinberg::FUnknown*, Steinberg::int32 message)
{
    if (message == kChanged)
        changePending = true;
}

void ParameterBinding::viewWillDelete(CView* view)
{
    view->unregisterViewListener(this);
    controls.erase(std::remove(controls.begin(), controls.end(), view), controls.end());
}

} // namespace VSTGUI
