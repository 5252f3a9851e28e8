#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/cstring.h"

namespace VSTGUI {

/** A button that a click switches between its minimum (off) and its maximum (on). */
class COnOffButton : public CControl
{
public:
    explicit COnOffButton(const CRect& size, IControlListener* listener = nullptr,
                          int32_t tag = -1);

    CView* newCopy() const override { return new COnOffButton(*this); }

    /** On: the value is at the maximum or above. */
    bool isOn() const { return getValue() >= getMax(); }

    void setTitle(const UTF8String& newTitle) { title = newTitle; }
    const UTF8String& getTitle() const { return title; }
    void setOnColor(const CColor& color) { onColor = color; }
    void setOffColor(const CColor& color) { offColor = color; }
    void setFontColor(const CColor& color) { fontColor = color; }
    /** The title's size in pixels. */
    void setFontSize(double size) { fontSize = size; }
    double getFontSize() const { return fontSize; }

    void draw(CDrawContext* context) override;
    /** A left click toggles as one edit and wants no moves or release. */
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

private:
    UTF8String title;
    CColor onColor{230, 160, 40};
    CColor offColor{70, 70, 70};
    CColor fontColor = kWhiteCColor;
    double fontSize = 12.;
};

} // namespace VSTGUI
