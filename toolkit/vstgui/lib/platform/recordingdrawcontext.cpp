#include "vstgui/lib/platform/recordingdrawcontext.h"

namespace VSTGUI {

void RecordingDrawContext::platformDrawRect(const CRect& rect, CDrawStyle style)
{
    const CColor& color = style == kDrawStroked ? getFrameColor() : getFillColor();
    recorded.push_back({Kind::Rect, rect, style, color, {}, 0.});
}

void RecordingDrawContext::platformDrawLine(const CPoint& start, const CPoint& end)
{
    recorded.push_back(
        {Kind::Line, CRect(start.x, start.y, end.x, end.y), kDrawStroked, getFrameColor(), {}, 0.});
}

void RecordingDrawContext::platformDrawString(const UTF8String& text, const CRect& rect,
                                              CHoriTxtAlign)
{
    recorded.push_back(
        {Kind::Text, rect, kDrawFilled, getFontColor(), text.getString(), getFontSize()});
}

double RecordingDrawContext::platformGetStringWidth(const UTF8String&)
{
    return 0.;
}

} // namespace VSTGUI
