#include "controller/architecturequery.h"

#include <cerrno>

#if SMTG_OS_MACOS
#include <sys/sysctl.h>
#endif

namespace Steinberg {
namespace Vst {

TranslationQuery translationQuery = &queryProcessTranslation;

TranslationQueryOutcome queryProcessTranslation()
{
#if SMTG_OS_MACOS
    int32 value = 0;
    size_t size = sizeof(value);
    if (sysctlbyname("sysctl.proc_translated", &value, &size, nullptr, 0) == -1)
        return {false, errno, 0};
    return {true, 0, value};
#else
    // No translation layer to ask: a failure that is not "no such name" reads as unknown.
    return {false, ENOSYS, 0};
#endif
}

const char* architectureLabel(const TranslationQueryOutcome& outcome)
{
    // A system without the name predates translation and runs natively on Intel.
    if (!outcome.succeeded)
        return outcome.errorNumber == ENOENT ? "x86_64-macOS" : "unknown";
    switch (outcome.value)
    {
    case 2:
        return "x86_64-macOS";
    case 1:
        return "arm64-macOS (T)";
    case 0:
        return "arm64-macOS";
    default:
        return "unknown";
    }
}

} // namespace Vst
} // namespace Steinberg
