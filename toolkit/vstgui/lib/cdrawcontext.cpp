#include "vstgui/lib/cdrawcontext.h"

#include <algorithm>

namespace VSTGUI {

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    platformDrawRect(CRect(rect).offset(offset.x, offset.y), style);
}

void CDrawContext::drawLine(const CPoint& start, const CPoint& end)
{
    platformDrawLine(CPoint(start).offset(offset.x, offset.y),
                     CPoint(end).offset(offset.x, offset.y));
}

void CDrawContext::drawString(const UTF8String& text, const CRect& rect, CHoriTxtAlign align)
{
    const double chosenSize = fontSize;
    const double room = rect.getWidth() - 2.;
    const double width = getStringWidth(text);
    if (width > room && width > 0.)
        fontSize = std::max(chosenSize * room / width, kSmallestFontSize);
    platformDrawString(text, CRect(rect).offset(offset.x, offset.y), align);
    fontSize = chosenSize;
}

double CDrawContext::getStringWidth(const UTF8String& text)
{
    return text.empty() ? 0. : platformGetStringWidth(text);
}

} // namespace VSTGUI
