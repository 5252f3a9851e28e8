#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/crect.h"
#include "vstgui/lib/cstring.h"

#include <limits>

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
    /** The size below which drawString does not set a text smaller to fit its box. */
    static constexpr double kSmallestFontSize = 7.;

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

    /** The part of the frame being redrawn, in frame coordinates; everything unless set. */
    void setUpdateRect(const CRect& rect) { updateRect = rect; }
    /** Whether a rectangle given in the views' coordinates reaches into the part being redrawn. */
    bool isInUpdateRect(const CRect& rect) const
    {
        return CRect(rect).offset(offset.x, offset.y).rectOverlap(updateRect);
    }

    void drawRect(const CRect& rect, CDrawStyle style);
    void drawLine(const CPoint& start, const CPoint& end);
    /**
     * Draws the text in the font size, vertically centred in rect. A text wider than rect, less a
     * pixel on either side for the glyphs' antialiased edges, is set smaller until it fits rather
     * than cut, down to kSmallestFontSize; the font size is the same again afterwards.
     */
    void drawString(const UTF8String& text, const CRect& rect, CHoriTxtAlign align);
    /** The text's advance width in pixels at the font size. */
    double getStringWidth(const UTF8String& text);

protected:
    virtual void platformDrawRect(const CRect& rect, CDrawStyle style) = 0;
    virtual void platformDrawLine(const CPoint& start, const CPoint& end) = 0;
    /** Draws the text at the font size, which drawString has already fitted to rect. */
    virtual void platformDrawString(const UTF8String& text, const CRect& rect,
                                    CHoriTxtAlign align) = 0;
    virtual double platformGetStringWidth(const UTF8String& text) = 0;

private:
    CColor fillColor = kWhiteCColor;
    CColor frameColor = kBlackCColor;
    CColor fontColor = kBlackCColor;
    double lineWidth = 1.;
    double fontSize = 12.;
    CPoint offset;
    CRect updateRect{
        -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
};

} // namespace VSTGUI
