#include "vstgui/lib/platform/iplatformtimer.h"

namespace VSTGUI {
namespace {
IPlatformTimerFactory* currentFactory = nullptr;
}

IPlatformTimerFactory* getPlatformTimerFactory()
{
    return currentFactory;
}

void setPlatformTimerFactory(IPlatformTimerFactory* factory)
{
    currentFactory = factory;
}

} // namespace VSTGUI
