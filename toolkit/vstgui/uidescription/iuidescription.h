#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/vstguibase.h"

namespace VSTGUI {

class IController;
class IControlListener;
class UIAttributes;

/** What view creators may ask of the UI description that builds the views. */
class IUIDescription
{
public:
    virtual ~IUIDescription() = default;
    /** A colour by its name in the description, or written as #RRGGBB or #RRGGBBAA. */
    virtual bool getColor(UTF8StringPtr name, CColor& color) const = 0;
    /** The control tag of a control-tag name, as the serving controller sees it; -1 if unknown. */
    virtual int32_t getTagForName(UTF8StringPtr name) const = 0;
    /** The listener for controls with this control-tag name. */
    virtual IControlListener* getControlListener(UTF8StringPtr name) const = 0;
    /** The controller that serves the views being built. */
    virtual IController* getController() const = 0;
    /** The attributes of a template, or null when there is no such template. */
    virtual const UIAttributes* getViewAttributes(UTF8StringPtr templateName) const = 0;
};

} // namespace VSTGUI
