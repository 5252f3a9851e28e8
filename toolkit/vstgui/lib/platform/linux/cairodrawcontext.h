#pragma once

#include "vstgui/lib/cdrawcontext.h"

typedef struct _cairo cairo_t;

namespace VSTGUI {

/**
 * The drawing context of an editor window: cairo, drawing in frame coordinates into whatever
 * target the caller's cairo context has (the window, or a group pushed on it). Text is set in
 * DejaVu Sans, which the fonts-dejavu-core package puts on every Debian system.
 */
class CairoDrawContext : public CDrawContext
{
public:
    static constexpr const char* kFontFamily = "DejaVu Sans";

    /** Draws through cairo; the caller keeps the context and its clip. */
    explicit CairoDrawContext(cairo_t* target) : cairo(target) {}

protected:
    void platformDrawRect(const CRect& rect, CDrawStyle style) override;
    void platformDrawLine(const CPoint& start, const CPoint& end) override;
    void platformDrawString(const UTF8String& text, const CRect& rect,
                            CHoriTxtAlign align) override;
    double platformGetStringWidth(const UTF8String& text) override;

private:
    void useColor(const CColor& color);
    /** Selects the font at the font size; the caller saves and restores cairo's state. */
    void useFont();

    cairo_t* cairo;
};

} // namespace VSTGUI
