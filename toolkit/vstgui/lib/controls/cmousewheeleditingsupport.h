#pragma once

#include "vstgui/lib/cvstguitimer.h"

namespace VSTGUI {

class CControl;

/**
 * Wheel editing for a control: the wheel turns of one gesture make one edit, which ends when the
 * wheel rests for wheelEditTimeoutMs or when stopWheelEditTimer is called.
 */
class CMouseWheelEditingSupport
{
public:
    static constexpr uint32_t wheelEditTimeoutMs = 500;

    CMouseWheelEditingSupport() = default;
    /** The rest timer belongs to the source's gesture: a copy starts without one. */
    CMouseWheelEditingSupport(const CMouseWheelEditingSupport&) {}
    CMouseWheelEditingSupport& operator=(const CMouseWheelEditingSupport&) = delete;

protected:
    /**
     * Opens the control's edit at the first turn of a gesture and restarts the rest timer at
     * every turn. A turn while another edit is open (a held press) joins that edit.
     */
    void onMouseWheelEditing(CControl* control);
    /** Releases the rest timer if one is held; then closes one edit level if the control edits. */
    void stopWheelEditTimer(CControl* control);

private:
    SharedPointer<CVSTGUITimer> wheelEditTimer;
};

} // namespace VSTGUI
