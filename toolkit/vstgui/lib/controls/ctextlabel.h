#pragma once

#include "vstgui/lib/controls/cparamdisplay.h"
#include "vstgui/lib/cstring.h"

namespace VSTGUI {

/** A display that shows a fixed text instead of its value. */
class CTextLabel : public CParamDisplay
{
public:
    explicit CTextLabel(const CRect& size, const UTF8String& text = {});

    void setText(const UTF8String& newText);
    const UTF8String& getText() const { return text; }

    std::string getDisplayText() const override { return text.getString(); }

private:
    UTF8String text;
};

} // namespace VSTGUI
