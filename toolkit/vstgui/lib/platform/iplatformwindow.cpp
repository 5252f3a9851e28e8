#include "vstgui/lib/platform/iplatformwindow.h"

#include "pluginterfaces/base/fplatform.h"

#if SMTG_OS_LINUX
#include "vstgui/lib/platform/linux/x11windowfactory.h"
#endif

namespace VSTGUI {
namespace {
IPlatformWindowFactory* replacement = nullptr;
}

IPlatformWindowFactory* getPlatformWindowFactory()
{
    if (replacement)
        return replacement;
#if SMTG_OS_LINUX
    static X11WindowFactory x11;
    return &x11;
#else
    return nullptr;
#endif
}

void setPlatformWindowFactory(IPlatformWindowFactory* factory)
{
    replacement = factory;
}

} // namespace VSTGUI
