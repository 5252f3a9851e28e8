#include "vstgui/lib/controls/cparamdisplay.h"

#include <cstdio>

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size) : CControl(size) {}

void CParamDisplay::setValueToStringFunction(ValueToStringFunction function)
{
    valueToString = std::move(function);
    invalid();
}

std::string CParamDisplay::getDisplayText() const
{
    std::string text;
    if (valueToString && valueToString(getValue(), text))
        return text;
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%.2f", static_cast<double>(getValue()));
    return buffer;
}

void CParamDisplay::draw(CDrawContext* context)
{
    if (backColor.alpha != 0)
    {
        context->setFillColor(backColor);
        context->drawRect(getViewSize(), kDrawFilled);
    }
    const std::string text = getDisplayText();
    if (!text.empty())
    {
        context->setFontColor(fontColor);
        context->setFontSize(fontSize);
        context->drawString(UTF8String(text), getViewSize(), horiAlign);
    }
    setDirty(false);
}

} // namespace VSTGUI
