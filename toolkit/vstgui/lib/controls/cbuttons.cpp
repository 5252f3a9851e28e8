#include "vstgui/lib/controls/cbuttons.h"

#include "vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

COnOffButton::COnOffButton(const CRect& size, IControlListener* listener, int32_t tag)
    : CControl(size, listener, tag)
{
    setDefaultValue(getMin());
}

void COnOffButton::draw(CDrawContext* context)
{
    context->setFillColor(isOn() ? onColor : offColor);
    context->drawRect(getViewSize(), kDrawFilled);
    if (!title.empty())
    {
        context->setFontColor(fontColor);
        context->setFontSize(fontSize);
        context->drawString(title, getViewSize(), kCenterText);
    }
    setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    beginEdit();
    const float before = getValue();
    setValue(isOn() ? getMin() : getMax());
    if (getValue() != before)
    {
        valueChanged();
        invalid();
    }
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

} // namespace VSTGUI
