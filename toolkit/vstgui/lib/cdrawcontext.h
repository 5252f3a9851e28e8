#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/crect.h"
#include "vstgui/lib/cstring.h"

namespace VSTGUI {

enum CDrawStyle
{
    kDrawStroked,
    kDrawFilled,
    kDrawFilledAndStroked,
};

enum CHoriTxtAlign
{
    kLeftText,
    kCenterText,
    kRightText,
};

/**
 * What views draw with. Views give coordinates in their parent's system; the context adds the
 * offset that the containers above them set, and its platform part receives frame coordinates.
 */
class CDrawContext
{
public:
    virtual ~CDrawContext() = default;

    void setFillColor(const CColor& color) { fillColor = color; }
    void setFrameColor(const CColor& color) { frameColor = color; }
    void setFontColor(const CColor& color) { fontColor = color; }
    void setLineWidth(double width) { lineWidth = width; }
    void setFontSize(double size) { fontSize = size; }
    const CColor& getFillColor() const { return fillColor; }
    const CColor& getFrameColor() const { return frameColor; }
    const CColor& getFontColor() const { return fontColor; }
    double getLineWidth() const { return lineWidth; }
    double getFontSize() const { return fontSize; }

    /** The origin of the coordinates that views give, in frame coordinates. */
    const CPoint& getOffset() const { return offset; }
    void setOffset(const CPoint& origin) { offset = origin; }

    void drawRect(const CRect& rect, CDrawStyle style);
    void drawLine(const CPoint& start, const CPoint& end);
    void drawString(const UTF8String& text, const CRect& rect, CHoriTxtAlign align);

protected:
    virtual void platformDrawRect(const CRect& rect, CDrawStyle style) = 0;
    virtual void platformDrawLine(const CPoint& start, const CPoint& end) = 0;
    virtual void platformDrawString(const UTF8String& text, const CRect& rect,
                                    CHoriTxtAlign align) = 0;

private:
    CColor fillColor = kWhiteCColor;
    CColor frameColor = kBlackCColor;
    CColor fontColor = kBlackCColor;
    double lineWidth = 1.;
    double fontSize = 12.;
    CPoint offset;
};

} // namespace VSTGUI
