#include "vstgui/lib/controls/ccontrol.h"

#include "vstgui/lib/controls/icontrollistener.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

int32_t CControl::kDefaultValueModifier = kAlt;
int32_t CControl::kZoomModifier = kShift;
CControl::DefaultValueClickTest CControl::defaultValueClickTest = &CControl::isDefaultValueClick;

CControl::CControl(const CRect& size, IControlListener* listener, int32_t tag)
    : CView(size), controlTag(tag), primaryListener(listener)
{
}

CControl::CControl(const CControl& other)
    : CView(other), value(other.value), minValue(other.minValue), maxValue(other.maxValue),
      defaultValue(other.defaultValue), wheelInc(other.wheelInc), lastValue(other.lastValue),
      dirtyFlag(other.dirtyFlag), controlTag(other.controlTag),
      primaryListener(other.primaryListener)
{
}

CControl::~CControl() = default;

CView* CControl::newCopy() const
{
    return new CControl(*this);
}

void CControl::setValueNormalized(float normalized)
{
    if (!(normalized > 0.f))
        normalized = 0.f;
    else if (normalized > 1.f)
        normalized = 1.f;
    setValue(minValue + normalized * (maxValue - minValue));
}

float CControl::getValueNormalized() const
{
    const float range = maxValue - minValue;
    return range == 0.f ? 0.f : (value - minValue) / range;
}

void CControl::setTag(int32_t newTag)
{
    if (primaryListener)
        primaryListener->controlTagWillChange(this);
    controlTag = newTag;
    if (primaryListener)
        primaryListener->controlTagDidChange(this);
}

void CControl::registerControlListener(IControlListener* controlListener)
{
    if (std::find(controlListeners.begin(), controlListeners.end(), controlListener) ==
        controlListeners.end())
        controlListeners.push_back(controlListener);
}

void CControl::unregisterControlListener(IControlListener* controlListener)
{
    controlListeners.erase(
        std::remove(controlListeners.begin(), controlListeners.end(), controlListener),
        controlListeners.end());
}

template <typename F> void CControl::forEachListener(F f)
{
    if (primaryListener)
        f(primaryListener);
    const auto registered = controlListeners;
    for (auto* controlListener : registered)
    {
        if (std::find(controlListeners.begin(), controlListeners.end(), controlListener) !=
            controlListeners.end())
            f(controlListener);
    }
}

void CControl::beginEdit()
{
    if (editCount++ == 0)
        forEachListener([this](IControlListener* l) { l->controlBeginEdit(this); });
}

void CControl::endEdit()
{
    if (editCount == 0)
        return;
    if (--editCount == 0)
        forEachListener([this](IControlListener* l) { l->controlEndEdit(this); });
}

void CControl::valueChanged()
{
    lastValue = value;
    forEachListener([this](IControlListener* l) { l->valueChanged(this); });
}

bool CControl::isDirty() const
{
    return dirtyFlag || value != lastValue;
}

void CControl::setDirty(bool dirty)
{
    dirtyFlag = dirty;
    if (!dirty)
        lastValue = value;
}

bool CControl::isDefaultValueClick(CButtonState buttons)
{
    return buttons.getButtonState() == kLButton &&
           buttons.getModifierState() == (kDefaultValueModifier & kModifierMask);
}

bool CControl::checkDefaultValue(CButtonState buttons)
{
    if (!defaultValueClickTest(buttons))
        return false;
    if (getDefaultValue() != getValue())
    {
        beginEdit();
        setValue(getDefaultValue());
        valueChanged();
        endEdit();
        setDirty(true);
    }
    return true;
}

} // namespace VSTGUI
