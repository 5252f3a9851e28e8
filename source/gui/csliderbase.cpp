#include "gui/csliderbase.h"

#include "vstgui/lib/cvstguitimer.h"
#include "vstgui/lib/vstguidebug.h"

#include <climits>
#include <cmath>

namespace VSTGUI {

namespace {

SliderMode globalSliderMode = kQZFreeClick;

constexpr int32_t kInvertedStyles = kRight | kBottom;

/** Truncates toward zero into 32 bits; a value beyond them gives the nearest end, NaN gives 0. */
int32_t truncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT32_MAX))
        return INT32_MAX;
    if (value <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

} // namespace

struct CSliderBase::Impl
{
    SharedPointer<CVSTGUITimer> rampTimer;
    int32_t style = 0;
    float zoomFactor = 10.f;
    SliderMode sliderMode = kUseGlobal;
    CPoint offsetHandle;
    double handleWidth = 1.;
    double handleHeight = 1.;
    double handleRange = 0.;
    double handleMinEdge = 0.;
    double handleMaxEdge = 0.;
    double minPos = 0.;
    CPoint mouseStartPoint;
    float fineBaseValue = 0.f;
    float startValue = 0.f;
    CButtonState oldButtons;
    double grabOffset = 0.;
};

CSliderBase::CSliderBase(const CRect& size, IControlListener* listener, int32_t tag)
    : CControl(size, listener, tag), impl(std::make_unique<Impl>())
{
}

CSliderBase::CSliderBase(const CSliderBase& other)
    : CControl(other), CMouseWheelEditingSupport(other), impl(std::make_unique<Impl>(*other.impl))
{
    // The ramp's ticks move the slider whose press started it; the source stops them on release.
    impl->rampTimer = nullptr;
}

CSliderBase::~CSliderBase() = default;

CView* CSliderBase::newCopy() const
{
    return new CSliderBase(*this);
}

void CSliderBase::setSliderMode(SliderMode mode)
{
    impl->sliderMode = mode;
}

SliderMode CSliderBase::getSliderMode() const
{
    return impl->sliderMode;
}

SliderMode CSliderBase::getEffectiveSliderMode() const
{
    return impl->sliderMode == kUseGlobal ? globalSliderMode : impl->sliderMode;
}

void CSliderBase::setGlobalMode(SliderMode mode)
{
    vstgui_assert(mode != kUseGlobal, "do not set the global mode to use global");
    globalSliderMode = mode;
}

SliderMode CSliderBase::getGlobalMode()
{
    return globalSliderMode;
}

void CSliderBase::setStyle(int32_t style)
{
    vstgui_assert(((style & kHorizontal) != 0) != ((style & kVertical) != 0), nullptr);
    impl->style = style;
}

int32_t CSliderBase::getStyle() const
{
    return impl->style;
}

void CSliderBase::setZoomFactor(float factor)
{
    impl->zoomFactor = factor;
}

float CSliderBase::getZoomFactor() const
{
    return impl->zoomFactor;
}

void CSliderBase::setOffsetHandle(const CPoint& offset)
{
    impl->offsetHandle = offset;
    updateHandleEdges();
}

CPoint CSliderBase::getOffsetHandle() const
{
    return impl->offsetHandle;
}

CPoint CSliderBase::getHandleSize() const
{
    return {impl->handleWidth, impl->handleHeight};
}

void CSliderBase::setHandleSize(const CPoint& size)
{
    impl->handleWidth = size.x;
    impl->handleHeight = size.y;
    setViewSize(getViewSize(), true);
}

bool CSliderBase::isHorizontal() const
{
    return (impl->style & kHorizontal) != 0;
}

bool CSliderBase::isInverted() const
{
    return (impl->style & kInvertedStyles) != 0;
}

double CSliderBase::alongAxis(const CPoint& point) const
{
    return isHorizontal() ? point.x : point.y;
}

double CSliderBase::handleSizeAlongAxis() const
{
    return isHorizontal() ? impl->handleWidth : impl->handleHeight;
}

double CSliderBase::offsetAlongAxis() const
{
    return alongAxis(impl->offsetHandle);
}

double CSliderBase::viewLeadingEdge() const
{
    return isHorizontal() ? getViewSize().left : getViewSize().top;
}

double CSliderBase::axisOrigin() const
{
    return viewLeadingEdge() + offsetAlongAxis();
}

double CSliderBase::freeClickOffset() const
{
    return axisOrigin() + 0.5 * handleSizeAlongAxis() - 1.;
}

void CSliderBase::updateHandleEdges()
{
    impl->handleMinEdge = impl->minPos + offsetAlongAxis();
    impl->handleMaxEdge = impl->handleMinEdge + impl->handleRange + handleSizeAlongAxis();
}

void CSliderBase::setViewSize(const CRect& rect, bool invalidate)
{
    CControl::setViewSize(rect, invalidate);
    const CRect& view = getViewSize();
    if (isHorizontal())
    {
        impl->minPos = rect.left - view.left;
        impl->handleRange = rect.getWidth() - impl->handleWidth - 2. * impl->offsetHandle.x;
    }
    else
    {
        impl->minPos = rect.top - view.top;
        impl->handleRange = rect.getHeight() - impl->handleHeight - 2. * impl->offsetHandle.y;
    }
    updateHandleEdges();
}

CRect CSliderBase::handleRectForValue(float normalizedValue) const
{
    const float position = isInverted() ? 1.f - normalizedValue : normalizedValue;
    double leading =
        std::floor(static_cast<double>(position) * impl->handleRange) + offsetAlongAxis();
    if (!(leading > impl->handleMinEdge))
        leading = impl->handleMinEdge;
    double trailing = leading + handleSizeAlongAxis();
    if (trailing > impl->handleMaxEdge)
        trailing = impl->handleMaxEdge;

    const CPoint& offset = impl->offsetHandle;
    CRect handle = isHorizontal()
                       ? CRect(leading, offset.y, trailing, offset.y + impl->handleHeight)
                       : CRect(offset.x, leading, offset.x + impl->handleWidth, trailing);
    const CRect& view = getViewSize();
    return handle.offset(view.left, view.top);
}

float CSliderBase::calculateGrabOffset(const CPoint& where, CRect* handleRect) const
{
    const double origin = axisOrigin();
    const SliderMode mode = getEffectiveSliderMode();
    if (mode == kFreeClick)
        return static_cast<float>(freeClickOffset());

    const float normalized = getValueNormalized();
    const float position = isInverted() ? 1.f - normalized : normalized;
    const double leading =
        origin + truncateToInt32(static_cast<double>(position) * impl->handleRange);

    const CRect& view = getViewSize();
    CRect handle;
    if (isHorizontal())
    {
        handle.left = leading;
        handle.top = view.top + impl->offsetHandle.y;
        handle.right = leading + impl->handleWidth;
        handle.bottom = handle.top + impl->handleHeight;
    }
    else
    {
        handle.left = view.left + impl->offsetHandle.x;
        handle.top = leading;
        handle.right = handle.left + impl->handleWidth;
        handle.bottom = leading + impl->handleHeight;
    }
    if (handleRect)
        *handleRect = handle;

    if (mode == kQZFreeClick && !handle.pointInside(where))
        return static_cast<float>(freeClickOffset());
    return static_cast<float>(origin + (alongAxis(where) - leading));
}

void CSliderBase::rampStep()
{
    const float current = getValueNormalized();
    const CRect handle = handleRectForValue(current);
    const double mouse = alongAxis(impl->mouseStartPoint);
    float step;
    if (isHorizontal())
    {
        const double centre = handle.left + 0.5 * handle.getWidth();
        step = centre > mouse ? -rampStepFactor : rampStepFactor;
        if (impl->style & kRight)
            step = -step;
    }
    else
    {
        const double centre = handle.top + 0.5 * handle.getHeight();
        step = centre > mouse ? rampStepFactor : -rampStepFactor;
        if (impl->style & kTop)
            step = -step;
    }

    const double freeOffset = freeClickOffset();
    const float range = static_cast<float>(impl->handleRange);
    if (!(range > 0.f))
    {
        // Without travel there is nothing to ramp along: the value stays.
        stopRamp();
        impl->grabOffset = freeOffset;
        return;
    }
    float target = static_cast<float>(mouse - freeOffset) / range;
    if (isInverted())
        target = 1.f - target;

    float next = current + step * getWheelInc();
    if ((step < 0.f && target > next) || (step > 0.f && target < next))
    {
        stopRamp();
        impl->grabOffset = freeOffset;
        next = target;
    }
    setValueNormalized(next);
    notifyIfDirty();
}

void CSliderBase::stopRamp()
{
    impl->rampTimer = nullptr;
}

void CSliderBase::notifyIfDirty()
{
    if (isDirty())
    {
        valueChanged();
        invalid();
    }
}

CMouseEventResult CSliderBase::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;

    stopWheelEditTimer(this);

    const SliderMode mode = getEffectiveSliderMode();
    CRect handle;
    impl->grabOffset = calculateGrabOffset(where, mode == kFreeClick ? nullptr : &handle);
    const bool onHandle = handle.pointInside(where);

    if (mode == kTouch && !onHandle)
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

    impl->fineBaseValue = getMin() - 1.f;
    impl->oldButtons = buttons;

    if (!(mode == kRelativeTouch && !onHandle) && checkDefaultValue(buttons))
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

    // The new ramp is already running when the one it replaces is released.
    if (mode == kRamp && !onHandle)
        impl->rampTimer =
            makeOwned<CVSTGUITimer>([this](CVSTGUITimer*) { rampStep(); }, rampIntervalMs, true);

    impl->startValue = getValue();
    beginEdit();
    impl->mouseStartPoint = where;

    if (buttons & kZoomModifier)
        return kMouseEventHandled;
    return onMouseMoved(where, buttons);
}

CMouseEventResult CSliderBase::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (buttons.getButtonState() != kLButton || !isEditing())
        return kMouseEventNotHandled;

    if (impl->rampTimer)
    {
        impl->mouseStartPoint = where;
        return kMouseEventHandled;
    }

    const float currentValue = (getValue() - getMin()) / (getMax() - getMin());
    const bool zoomed = (buttons & kZoomModifier) != 0;
    if (impl->fineBaseValue == getMin() - 1.f)
        impl->fineBaseValue = currentValue;
    if (zoomed && buttons != impl->oldButtons)
    {
        impl->fineBaseValue = currentValue;
        impl->oldButtons = buttons;
    }
    else if (!zoomed)
    {
        impl->fineBaseValue = currentValue;
    }

    const float range = static_cast<float>(impl->handleRange);
    // Without travel no pointer position stands for a value: the value stays.
    if (!(range > 0.f))
        return kMouseEventHandled;

    float normalized = static_cast<float>(alongAxis(where) - impl->grabOffset) / range;
    if (isInverted())
        normalized = 1.f - normalized;
    if (zoomed)
        normalized = impl->fineBaseValue + (normalized - impl->fineBaseValue) / impl->zoomFactor;
    setValueNormalized(normalized);
    notifyIfDirty();
    return kMouseEventHandled;
}

CMouseEventResult CSliderBase::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (isEditing())
    {
        impl->oldButtons = 0;
        stopRamp();
        endEdit();
    }
    return kMouseEventHandled;
}

CMouseEventResult CSliderBase::onMouseCancel()
{
    if (isEditing())
    {
        value = impl->startValue;
        notifyIfDirty();
        impl->oldButtons = 0;
        stopRamp();
        endEdit();
    }
    return kMouseEventHandled;
}

bool CSliderBase::onWheel(const CPoint& where, float distance, const CButtonState& buttons)
{
    onMouseWheelEditing(this);
    // A turn away from the user raises the value, whichever way the slider points.
    float increment = distance * getWheelInc();
    if (buttons & kZoomModifier)
        increment /= impl->zoomFactor;
    setValueNormalized(getValueNormalized() + increment);
    notifyIfDirty();
    return true;
}

} // namespace VSTGUI
