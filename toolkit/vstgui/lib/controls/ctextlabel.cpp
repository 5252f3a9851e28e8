#include "vstgui/lib/controls/ctextlabel.h"

namespace VSTGUI {

CTextLabel::CTextLabel(const CRect& size, const UTF8String& initialText)
    : CParamDisplay(size), text(initialText)
{
}

void CTextLabel::setText(const UTF8String& newText)
{
    if (newText == text)
        return;
    text = newText;
    invalid();
}

} // namespace VSTGUI
