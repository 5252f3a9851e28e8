#pragma once

#include "vstgui/lib/controls/icontrollistener.h"
#include "vstgui/lib/vstguibase.h"

namespace VSTGUI {

class CView;
class IUIDescription;
class UIAttributes;

/**
 * Serves the views that a UI description builds: the editor is the controller of the whole
 * tree, and an element with a "sub-controller" attribute gets one of its own for itself and the
 * views below it. The defaults change nothing.
 */
class IController : public IControlListener
{
public:
    /** The tag for a control-tag name; registeredTag is the description's own answer. */
    virtual int32_t getTagForName(UTF8StringPtr, int32_t registeredTag) const
    {
        return registeredTag;
    }
    /** The listener for the controls with this control-tag name. */
    virtual IControlListener* getControlListener(UTF8StringPtr) { return this; }
    /** A view of the controller's own for an element, or null to let the view factory build it. */
    virtual CView* createView(const UIAttributes&, const IUIDescription*) { return nullptr; }
    /** Sees every view it serves once the view and its children are built; returns the view. */
    virtual CView* verifyView(CView* view, const UIAttributes&, const IUIDescription*)
    {
        return view;
    }
    /** A sub-controller for a name, owned by the caller, or null. */
    virtual IController* createSubController(UTF8StringPtr, const IUIDescription*)
    {
        return nullptr;
    }
};

} // namespace VSTGUI
