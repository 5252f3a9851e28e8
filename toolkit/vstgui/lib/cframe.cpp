#include "vstgui/lib/cframe.h"

#include "vstgui/lib/platform/iplatformframe.h"

namespace VSTGUI {

CFrame::CFrame(const CRect& rect) : CViewContainer(rect) {}

void CFrame::invalidRect(const CRect& localRect)
{
    if (platformFrame)
        platformFrame->invalidRect(CRect(localRect).offset(getViewSize().left, getViewSize().top));
}

} // namespace VSTGUI
