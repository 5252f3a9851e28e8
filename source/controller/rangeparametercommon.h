#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

/** Fills what the QZ range parameters take from their constructor arguments: title and units
    (cut to the 128-unit fields), flags and tag; no step count, root unit, no short title. */
void describeRangeParameter(ParameterInfo& info, const TChar* title, ParamID tag,
                            const TChar* units, int32 flags);

/** Prints plain with "%.*lf" and precision decimals; an empty text when printing fails or the
    text would not fit the 128-unit field. */
void printPlainValue(ParamValue plain, int32 precision, String128 string);

} // namespace Vst
} // namespace Steinberg
