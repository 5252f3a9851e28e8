#include "vstgui/lib/cdrawcontext.h"

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
    platformDrawString(text, CRect(rect).offset(offset.x, offset.y), align);
}

} // namespace VSTGUI
