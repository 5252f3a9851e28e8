#pragma once

#include "gui/csliderbase.h"

#include "vstgui/lib/ccolor.h"

namespace VSTGUI {

/** A slider drawn as a track along its travel and a solid handle. */
class CSlider : public CSliderBase
{
public:
    CSlider(const CRect& size, IControlListener* listener, int32_t tag,
            int32_t style = kHorizontal | kLeft);
    CSlider(const CSlider& other) = default;

    CView* newCopy() const override;

    void setBackColor(const CColor& color);
    const CColor& getBackColor() const { return backColor; }
    void setTrackColor(const CColor& color);
    const CColor& getTrackColor() const { return trackColor; }
    void setHandleColor(const CColor& color);
    const CColor& getHandleColor() const { return handleColor; }

    void draw(CDrawContext* context) override;

private:
    CColor backColor = kTransparentCColor;
    CColor trackColor{128, 128, 128};
    CColor handleColor = kWhiteCColor;
};

/** A slider whose value grows to the right. */
class CHorizontalSlider : public CSlider
{
public:
    CHorizontalSlider(const CRect& size, IControlListener* listener, int32_t tag);
};

/** A slider whose value grows upward. */
class CVerticalSlider : public CSlider
{
public:
    CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag);
};

} // namespace VSTGUI
