#pragma once

#include "pluginterfaces/base/ftypes.h"

namespace Steinberg {
namespace Vst {

/** What the platform answered when asked whether the process runs under translation. */
struct TranslationQueryOutcome
{
    bool succeeded;
    /** The error number of a failed query. */
    int errorNumber;
    /** The answer of a query that succeeded. */
    int32 value;
};

/** Asks the platform ("sysctl.proc_translated" on macOS; unavailable elsewhere). */
TranslationQueryOutcome queryProcessTranslation();

/** The query the about box asks; tests replace it. */
using TranslationQuery = TranslationQueryOutcome (*)();
extern TranslationQuery translationQuery;

/** "x86_64-macOS", "arm64-macOS", "arm64-macOS (T)" or "unknown" for a query's outcome. */
const char* architectureLabel(const TranslationQueryOutcome& outcome);

} // namespace Vst
} // namespace Steinberg
