#include "vstgui/lib/platform/linux/cairodrawcontext.h"

#include <cairo.h>

#include <cmath>

namespace VSTGUI {

void CairoDrawContext::useColor(const CColor& color)
{
    cairo_set_source_rgba(cairo, color.red / 255., color.green / 255., color.blue / 255.,
                          color.alpha / 255.);
}

void CairoDrawContext::platformDrawRect(const CRect& rect, CDrawStyle style)
{
    if (style != kDrawStroked)
    {
        cairo_rectangle(cairo, rect.left, rect.top, rect.getWidth(), rect.getHeight());
        useColor(getFillColor());
        cairo_fill(cairo);
    }
    if (style != kDrawFilled)
    {
        // The outline lies inside the rectangle, its strokes centred on whole pixels.
        double inset = getLineWidth() / 2.;
        cairo_rectangle(cairo, rect.left + inset, rect.top + inset,
                        rect.getWidth() - getLineWidth(), rect.getHeight() - getLineWidth());
        cairo_set_line_width(cairo, getLineWidth());
        useColor(getFrameColor());
        cairo_stroke(cairo);
    }
}

void CairoDrawContext::platformDrawLine(const CPoint& start, const CPoint& end)
{
    // A line of odd width is centred on a pixel, so it covers whole pixels instead of two halves.
    double centre = std::fmod(getLineWidth(), 2.) == 1. ? 0.5 : 0.;
    cairo_move_to(cairo, start.x + centre, start.y + centre);
    cairo_line_to(cairo, end.x + centre, end.y + centre);
    cairo_set_line_width(cairo, getLineWidth());
    useColor(getFrameColor());
    cairo_stroke(cairo);
}

void CairoDrawContext::useFont()
{
    cairo_select_font_face(cairo, kFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cairo, getFontSize());
}

double CairoDrawContext::platformGetStringWidth(const UTF8String& text)
{
    cairo_save(cairo);
    useFont();
    cairo_text_extents_t extents;
    cairo_text_extents(cairo, text.data(), &extents);
    cairo_restore(cairo);
    return extents.x_advance;
}

void CairoDrawContext::platformDrawString(const UTF8String& text, const CRect& rect,
                                          CHoriTxtAlign align)
{
    if (text.empty())
        return;
    cairo_save(cairo);
    cairo_rectangle(cairo, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(cairo);
    useFont();
    cairo_text_extents_t extents;
    cairo_text_extents(cairo, text.data(), &extents);
    cairo_font_extents_t font;
    cairo_font_extents(cairo, &font);

    double x = rect.left;
    if (align == kCenterText)
        x = rect.left + (rect.getWidth() - extents.x_advance) / 2.;
    else if (align == kRightText)
        x = rect.right - extents.x_advance;
    double baseline = rect.top + (rect.getHeight() + font.ascent - font.descent) / 2.;
    cairo_move_to(cairo, std::round(x), std::round(baseline));
    useColor(getFontColor());
    cairo_show_text(cairo, text.data());
    cairo_restore(cairo);
}

} // namespace VSTGUI
