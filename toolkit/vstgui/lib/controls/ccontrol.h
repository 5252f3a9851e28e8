#pragma once

#include "vstgui/lib/cview.h"

namespace VSTGUI {

class IControlListener;

/**
 * A view with a value between a minimum and a maximum, a tag naming what it edits, and listeners
 * that hear of its changes and edits. The value is not clamped by setValue; setValueNormalized
 * clamps.
 */
class CControl : public CView
{
public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1);
    /**
     * A copy keeps the tag, the value, the range, the default, the wheel increment and the
     * listener; it is not editing and has no registered listeners.
     */
    CControl(const CControl& other);

    CView* newCopy() const override;

    virtual void setValue(float newValue) { value = newValue; }
    float getValue() const { return value; }
    /** Sets min + n * (max - min) with n clamped to 0..1; NaN counts as 0. */
    virtual void setValueNormalized(float normalized);
    /** The value scaled to 0..1 between min and max (0 when min equals max). */
    virtual float getValueNormalized() const;

    void setMin(float newMin) { minValue = newMin; }
    float getMin() const { return minValue; }
    void setMax(float newMax) { maxValue = newMax; }
    float getMax() const { return maxValue; }
    void setDefaultValue(float newDefault) { defaultValue = newDefault; }
    float getDefaultValue() const { return defaultValue; }
    void setWheelInc(float increment) { wheelInc = increment; }
    float getWheelInc() const { return wheelInc; }

    /** Changes the tag; the listener hears of it before and after. */
    void setTag(int32_t newTag);
    int32_t getTag() const { return controlTag; }
    void setListener(IControlListener* newListener) { primaryListener = newListener; }
    IControlListener* getListener() const { return primaryListener; }
    /** Further listeners, told after the listener. */
    void registerControlListener(IControlListener* controlListener);
    void unregisterControlListener(IControlListener* controlListener);

    /** Edits nest: only the first beginEdit and the last endEdit reach the listeners. */
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editCount > 0; }

    /** Tells the listeners that the value changed; the value then counts as reported. */
    virtual void valueChanged();

    /**
     * Dirty: the value differs from the one last reported to the listeners or drawn, or
     * dirtiness was set by hand and nothing was drawn since.
     */
    bool isDirty() const;
    /** false also makes the current value count as reported and drawn. */
    void setDirty(bool dirty);

    /**
     * The reset-to-default click: when the default-click test accepts the buttons, the value
     * goes to the default value as one edit, and the answer is true (also when it was there).
     */
    bool checkDefaultValue(CButtonState buttons);

    /** The default-click test: the left button alone with kDefaultValueModifier alone. */
    static bool isDefaultValueClick(CButtonState buttons);
    using DefaultValueClickTest = bool (*)(CButtonState buttons);
    /** The test that checkDefaultValue uses; isDefaultValueClick unless replaced. */
    static DefaultValueClickTest defaultValueClickTest;

    /** The modifier of the reset-to-default click. */
    static int32_t kDefaultValueModifier;
    /** The modifier of fine adjustment. */
    static int32_t kZoomModifier;

protected:
    ~CControl() override;

    float value = 0.f;

private:
    /** Tells the listener, then the registered listeners, in registration order. */
    template <typename F> void forEachListener(F f);

    float minValue = 0.f;
    float maxValue = 1.f;
    float defaultValue = 0.5f;
    float wheelInc = 0.1f;
    float lastValue = 0.f;
    bool dirtyFlag = false;
    int32_t controlTag;
    int32_t editCount = 0;
    IControlListener* primaryListener;
    std::vector<IControlListener*> controlListeners;
};

} // namespace VSTGUI
