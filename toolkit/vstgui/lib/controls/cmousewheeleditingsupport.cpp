#include "vstgui/lib/controls/cmousewheeleditingsupport.h"

#include "vstgui/lib/controls/ccontrol.h"

namespace VSTGUI {

void CMouseWheelEditingSupport::onMouseWheelEditing(CControl* control)
{
    if (!wheelEditTimer)
    {
        // A press that is still held owns the edit; the turn becomes part of it.
        if (control->isEditing())
            return;
        control->beginEdit();
        wheelEditTimer = makeOwned<CVSTGUITimer>(
            [this, control](CVSTGUITimer*) { stopWheelEditTimer(control); }, wheelEditTimeoutMs);
    }
    else
    {
        wheelEditTimer->stop();
        wheelEditTimer->start();
    }
}

void CMouseWheelEditingSupport::stopWheelEditTimer(CControl* control)
{
    if (wheelEditTimer)
    {
        wheelEditTimer->stop();
        wheelEditTimer = nullptr;
    }
    if (control->isEditing())
        control->endEdit();
}

} // namespace VSTGUI
