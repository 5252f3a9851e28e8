#pragma once

#include "vstgui/lib/cdrawcontext.h"

#include <string>
#include <vector>

namespace VSTGUI {

/**
 * A drawing context without a window: it keeps a list of what was drawn, in frame coordinates.
 * It has no font, so it measures every text as 0 wide and never sets one smaller to fit.
 */
class RecordingDrawContext : public CDrawContext
{
public:
    enum class Kind
    {
        Rect,
        Line,
        Text,
    };
    struct Operation
    {
        Kind kind;
        CRect rect; ///< the rectangle, the text's box, or the line from top-left to bottom-right
        CDrawStyle style;
        CColor color; ///< fill colour of a filled rectangle, frame colour, or font colour
        std::string text;
        double fontSize; ///< the size a text was set at
    };

    const std::vector<Operation>& operations() const { return recorded; }
    void clear() { recorded.clear(); }

protected:
    void platformDrawRect(const CRect& rect, CDrawStyle style) override;
    void platformDrawLine(const CPoint& start, const CPoint& end) override;
    void platformDrawString(const UTF8String& text, const CRect& rect,
                            CHoriTxtAlign align) override;
    double platformGetStringWidth(const UTF8String& text) override;

private:
    std::vector<Operation> recorded;
};

} // namespace VSTGUI
