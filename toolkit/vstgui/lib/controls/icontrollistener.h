#pragma once

#include "vstgui/lib/cbuttonstate.h"

#include <cstdint>

namespace VSTGUI {

class CControl;

/** Hears of a control's value changes and edits. */
class IControlListener
{
public:
    virtual ~IControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
    virtual int32_t controlModifierClicked(CControl*, CButtonState) { return 0; }
    virtual void controlBeginEdit(CControl*) {}
    virtual void controlEndEdit(CControl*) {}
    virtual void controlTagWillChange(CControl*) {}
    virtual void controlTagDidChange(CControl*) {}
};

} // namespace VSTGUI
