#pragma once

#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/controls/cmousewheeleditingsupport.h"

#include <memory>

namespace VSTGUI {

/** How a press and a drag move a slider's value. The values index sliderModeNames. */
enum SliderMode : int32_t
{
    kTouch = 0,
    kRelativeTouch = 1,
    kFreeClick = 2,
    kQZFreeClick = 3,
    kRamp = 4,
    kUseGlobal = 5,
};

/** Style bits of a slider: its axis, and the end at which its value is lowest. */
enum CSliderStyle : int32_t
{
    kHorizontal = 1 << 0,
    kVertical = 1 << 1,
    kLeft = 1 << 2,
    kRight = 1 << 3,
    kTop = 1 << 4,
    kBottom = 1 << 5,
};

/**
 * A control whose handle travels along one axis. It knows the handle's geometry, where a press
 * grabs the handle in each mode, the ramp toward a press in mode kRamp, the reset-to-default
 * press, fine adjustment with the zoom modifier and wheel editing. Drawing is its subclass's.
 */
class CSliderBase : public CControl, public CMouseWheelEditingSupport
{
public:
    /** Period of the ramp's ticks in milliseconds. */
    static constexpr uint32_t rampIntervalMs = 16;
    /** A ramp tick moves the value by this times the wheel increment. */
    static constexpr float rampStepFactor = 0.1f;

    CSliderBase(const CRect& size, IControlListener* listener, int32_t tag);
    /**
     * A copy takes every setting and the whole geometry of its source. A ramp or a wheel edit
     * that is running stays with the source: the copy starts with neither.
     */
    CSliderBase(const CSliderBase& other);

    CView* newCopy() const override;

    void setSliderMode(SliderMode mode);
    SliderMode getSliderMode() const;
    /** The slider's own mode, or the global mode when it uses that. */
    SliderMode getEffectiveSliderMode() const;
    static void setGlobalMode(SliderMode mode);
    static SliderMode getGlobalMode();

    /** CSliderStyle bits; exactly one of kHorizontal and kVertical is expected. */
    void setStyle(int32_t style);
    int32_t getStyle() const;
    /** The divisor of the pointer's motion while the zoom modifier is held. */
    void setZoomFactor(float factor);
    float getZoomFactor() const;
    /** The inset of the handle's travel from the view's edges: x across, y down. */
    void setOffsetHandle(const CPoint& offset);
    CPoint getOffsetHandle() const;
    /** Sets the handle's width (x) and height (y) in pixels and recomputes its travel. */
    void setHandleSize(const CPoint& size);
    CPoint getHandleSize() const;

    void setViewSize(const CRect& rect, bool invalidate = true) override;
    /** The handle's rectangle for a normalised value, in the coordinates of getViewSize. */
    CRect handleRectForValue(float normalizedValue) const;
    /**
     * The mouse coordinate along the axis that stands for position 0 of the handle's travel for a
     * drag starting at where. Fills handleRect with the handle's rectangle unless the mode is
     * kFreeClick.
     */
    float calculateGrabOffset(const CPoint& where, CRect* handleRect) const;
    /** One tick of the ramp toward mouseStartPoint. */
    void rampStep();

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, float distance, const CButtonState& buttons) override;

protected:
    ~CSliderBase() override;

private:
    struct Impl;

    bool isHorizontal() const;
    bool isInverted() const;
    double alongAxis(const CPoint& point) const;
    double handleSizeAlongAxis() const;
    double offsetAlongAxis() const;
    double viewLeadingEdge() const;
    double axisOrigin() const;
    double freeClickOffset() const;
    void updateHandleEdges();
    void stopRamp();
    void notifyIfDirty();

    std::unique_ptr<Impl> impl;
};

} // namespace VSTGUI
