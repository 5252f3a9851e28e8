#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/controls/ccontrol.h"

#include <functional>
#include <string>

namespace VSTGUI {

/** A control that shows its value as text and takes no mouse input. */
class CParamDisplay : public CControl
{
public:
    /** Writes the text for a value; false leaves the default text (two decimals). */
    using ValueToStringFunction = std::function<bool(float value, std::string& text)>;

    explicit CParamDisplay(const CRect& size);

    /** Null: the text function may read the source display, so a display is not duplicated. */
    CView* newCopy() const override { return nullptr; }

    void setValueToStringFunction(ValueToStringFunction function);
    /** The text shown for the current value. */
    virtual std::string getDisplayText() const;

    void setFontColor(const CColor& color) { fontColor = color; }
    const CColor& getFontColor() const { return fontColor; }
    void setBackColor(const CColor& color) { backColor = color; }
    const CColor& getBackColor() const { return backColor; }
    /** The text's size in pixels. */
    void setFontSize(double size) { fontSize = size; }
    double getFontSize() const { return fontSize; }
    void setHoriAlign(CHoriTxtAlign align) { horiAlign = align; }
    CHoriTxtAlign getHoriAlign() const { return horiAlign; }

    void draw(CDrawContext* context) override;

private:
    ValueToStringFunction valueToString;
    CColor fontColor = kBlackCColor;
    CColor backColor = kTransparentCColor;
    double fontSize = 12.;
    CHoriTxtAlign horiAlign = kCenterText;
};

} // namespace VSTGUI
