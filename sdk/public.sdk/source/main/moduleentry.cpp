// The module's entry points. The host calls the entry once after loading the module and the exit
// once before unloading it; the plug-in needs no set-up there, so they only keep the pairs
// balanced.
#include "pluginterfaces/base/fplatform.h"

namespace {
int moduleCounter = 0;

bool enterModule()
{
    ++moduleCounter;
    return true;
}

bool exitModule()
{
    if (moduleCounter == 0)
        return false;
    --moduleCounter;
    return true;
}
} // namespace

#if SMTG_OS_LINUX
extern "C" {
SMTG_EXPORT_SYMBOL bool ModuleEntry(void*)
{
    return enterModule();
}
SMTG_EXPORT_SYMBOL bool ModuleExit()
{
    return exitModule();
}
}
#elif SMTG_OS_MACOS
#include <CoreFoundation/CoreFoundation.h>
extern "C" {
SMTG_EXPORT_SYMBOL bool bundleEntry(CFBundleRef)
{
    return enterModule();
}
SMTG_EXPORT_SYMBOL bool bundleExit()
{
    return exitModule();
}
}
#endif
