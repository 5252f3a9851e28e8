#include "vstgui/plugin-bindings/vst3editor.h"

#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/platform/iplatformwindow.h"
#include "vstgui/plugin-bindings/bundleresources.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uidescription.h"

#include "base/source/updatehandler.h"
#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/gui/iplugview.h"

namespace VSTGUI {

using namespace Steinberg;

namespace {

// The largest side of a window: X11 takes 16-bit signed coordinates.
constexpr double maxEditorSide = 32767.;

bool isWindowSize(const CPoint& size)
{
    return size.x >= 1. && size.y >= 1. && size.x <= maxEditorSide && size.y <= maxEditorSide;
}

} // namespace

VST3Editor::VST3Editor(Vst::EditController* editController, UTF8StringPtr templateToOpen,
                       UTF8StringPtr xmlFile)
    : Vst::EditorView(editController), templateName(templateToOpen ? templateToOpen : ""),
      description(std::make_unique<UIDescription>(bundleResourcePath(xmlFile ? xmlFile : ""))),
      delegate(dynamic_cast<VST3EditorDelegate*>(editController))
{
    // Parameters reach their dependents only while an update handler exists.
    UpdateHandler::instance();
    if (!description->parse())
        description.reset();
    // A template without a size that a window can take opens nothing.
    CPoint size;
    if (hasTemplate() &&
        description->getViewAttributes(templateName.c_str())->getPointAttribute("size", size) &&
        isWindowSize(size))
        rect = ViewRect(0, 0, static_cast<int32>(size.x), static_cast<int32>(size.y));
    else
        description.reset();
}

VST3Editor::~VST3Editor()
{
    close();
}

bool VST3Editor::hasTemplate() const
{
    return description && description->getViewAttributes(templateName.c_str());
}

tresult PLUGIN_API VST3Editor::isPlatformTypeSupported(FIDString type)
{
    return FIDStringsEqual(type, kPlatformTypeX11EmbedWindowID) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VST3Editor::attached(void* parent, FIDString type)
{
    if (frame || isPlatformTypeSupported(type) != kResultTrue)
        return kResultFalse;
    // The window comes first: the views' timers run on the event loop it brings.
    auto* factory = getPlatformWindowFactory();
    window = factory ? factory->prepare(parent, plugFrame) : nullptr;
    if (!window)
        return kResultFalse;
    if (!open() || !window->show(*frame))
    {
        window.reset();
        close();
        return kResultFalse;
    }
    return EditorView::attached(parent, type);
}

tresult PLUGIN_API VST3Editor::removed()
{
    if (!window)
        return kResultFalse;
    // The window goes before the views it shows.
    window.reset();
    close();
    return EditorView::removed();
}

tresult PLUGIN_API VST3Editor::onSize(ViewRect* newSize)
{
    if (!newSize)
        return kInvalidArgument;
    return newSize->getWidth() == rect.getWidth() && newSize->getHeight() == rect.getHeight()
               ? kResultTrue
               : kResultFalse;
}

tresult PLUGIN_API VST3Editor::checkSizeConstraint(ViewRect* constrained)
{
    if (!constrained)
        return kInvalidArgument;
    constrained->right = constrained->left + rect.getWidth();
    constrained->bottom = constrained->top + rect.getHeight();
    return kResultTrue;
}

bool VST3Editor::open()
{
    if (!hasTemplate())
        return false;
    CView* root = description->createView(templateName.c_str(), this);
    if (!root)
        return false;
    frame = makeOwned<CFrame>(CRect(CPoint(), root->getViewSize().getSize()));
    frame->addView(root);
    bindControls();
    idleTimer = makeOwned<CVSTGUITimer>([this](CVSTGUITimer*) { onIdle(); }, idleIntervalMs);
    if (delegate)
        delegate->didOpen(this);
    return true;
}

void VST3Editor::close()
{
    if (!frame)
        return;
    // While the controls are still bound, a press still held is abandoned and every other edit
    // still open (a wheel gesture that has not come to rest) ends, so the host sees each edit end.
    frame->onMouseCancel();
    frame->forEachDescendant([](CView* view) {
        if (auto* control = dynamic_cast<CControl*>(view))
        {
            while (control->isEditing())
                control->endEdit();
        }
    });
    if (delegate)
        delegate->willClose(this);
    idleTimer = nullptr;
    for (auto& binding : bindings)
        binding.second->detach();
    bindings.clear();
    // Deleting the views deletes the sub-controllers that serve them.
    frame = nullptr;
}

void VST3Editor::bindControls()
{
    if (!getController())
        return;
    frame->forEachDescendant([this](CView* view) {
        auto* control = dynamic_cast<CControl*>(view);
        if (!control || control->getListener() != this || control->getTag() < 0)
            return;
        const auto id = static_cast<Vst::ParamID>(control->getTag());
        if (delegate && delegate->isPrivateParameter(id))
            return;
        auto found = bindings.find(id);
        if (found == bindings.end())
        {
            Vst::Parameter* parameter = getController()->getParameterObject(id);
            if (!parameter)
                return;
            found = bindings.emplace(id, owned(new ParameterBinding(parameter))).first;
        }
        found->second->addControl(control);
    });
}

Vst::Parameter* VST3Editor::boundParameter(CControl* control) const
{
    if (control->getListener() != this || control->getTag() < 0)
        return nullptr;
    const auto found = bindings.find(static_cast<Vst::ParamID>(control->getTag()));
    return found == bindings.end() ? nullptr : getController()->getParameterObject(found->first);
}

void VST3Editor::onIdle()
{
    for (auto& binding : bindings)
        binding.second->flush();
}

void VST3Editor::valueChanged(CControl* control)
{
    if (!boundParameter(control))
        return;
    const auto id = static_cast<Vst::ParamID>(control->getTag());
    // A change outside an edit (a click without press and release) still reaches the host as one.
    const bool singleChange = !control->isEditing();
    if (singleChange)
        getController()->beginEdit(id);
    getController()->setParamNormalized(id, control->getValueNormalized());
    getController()->performEdit(id, getController()->getParamNormalized(id));
    if (singleChange)
        getController()->endEdit(id);
}

void VST3Editor::controlBeginEdit(CControl* control)
{
    if (boundParameter(control))
        getController()->beginEdit(static_cast<Vst::ParamID>(control->getTag()));
}

void VST3Editor::controlEndEdit(CControl* control)
{
    if (boundParameter(control))
        getController()->endEdit(static_cast<Vst::ParamID>(control->getTag()));
}

CView* VST3Editor::createView(const UIAttributes& attributes, const IUIDescription* uiDescription)
{
    const std::string* name = attributes.getAttributeValue("custom-view-name");
    if (!name || !delegate)
        return nullptr;
    return delegate->createCustomView(name->c_str(), attributes, uiDescription, this);
}

CView* VST3Editor::verifyView(CView* view, const UIAttributes& attributes,
                              const IUIDescription* uiDescription)
{
    return delegate ? delegate->verifyView(view, attributes, uiDescription, this) : view;
}

IController* VST3Editor::createSubController(UTF8StringPtr name,
                                             const IUIDescription* uiDescription)
{
    return delegate ? delegate->createSubController(name, uiDescription, this) : nullptr;
}

} // namespace VSTGUI
