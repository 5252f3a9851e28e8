#include "gui/cslider.h"

#include "vstgui/lib/cdrawcontext.h"

#include <algorithm>

namespace VSTGUI {

namespace {
constexpr double kTrackWidth = 2.;
}

CSlider::CSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t style)
    : CSliderBase(size, listener, tag)
{
    setStyle(style);
    setViewSize(size, false);
}

CView* CSlider::newCopy() const
{
    return new CSlider(*this);
}

void CSlider::setBackColor(const CColor& color)
{
    backColor = color;
    invalid();
}

void CSlider::setTrackColor(const CColor& color)
{
    trackColor = color;
    invalid();
}

void CSlider::setHandleColor(const CColor& color)
{
    handleColor = color;
    invalid();
}

void CSlider::draw(CDrawContext* context)
{
    const CRect& view = getViewSize();
    if (backColor.alpha != 0)
    {
        context->setFillColor(backColor);
        context->drawRect(view, kDrawFilled);
    }

    // The track runs through the middle of the handle's whole travel.
    const CRect atZero = handleRectForValue(0.f);
    const CRect atOne = handleRectForValue(1.f);
    CRect track;
    if (getStyle() & kHorizontal)
    {
        const double middle = atZero.top + 0.5 * atZero.getHeight();
        track = CRect(std::min(atZero.left, atOne.left), middle - 0.5 * kTrackWidth,
                      std::max(atZero.right, atOne.right), middle + 0.5 * kTrackWidth);
    }
    else
    {
        const double middle = atZero.left + 0.5 * atZero.getWidth();
        track = CRect(middle - 0.5 * kTrackWidth, std::min(atZero.top, atOne.top),
                      middle + 0.5 * kTrackWidth, std::max(atZero.bottom, atOne.bottom));
    }
    context->setFillColor(trackColor);
    context->drawRect(track, kDrawFilled);

    context->setFillColor(handleColor);
    context->drawRect(handleRectForValue(getValueNormalized()), kDrawFilled);
    setDirty(false);
}

CHorizontalSlider::CHorizontalSlider(const CRect& size, IControlListener* listener, int32_t tag)
    : CSlider(size, listener, tag, kHorizontal | kLeft)
{
}

CVerticalSlider::CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag)
    : CSlider(size, listener, tag, kVertical | kBottom)
{
}

} // namespace VSTGUI
