#include "controller/rangeparametercommon.h"

#include "pluginterfaces/base/ustring.h"

#include <cstdio>

namespace Steinberg {
namespace Vst {

void describeRangeParameter(ParameterInfo& info, const TChar* title, ParamID tag,
                            const TChar* units, int32 flags)
{
    UString(info.title, str16BufferSize(String128)).assign(title);
    if (units)
        UString(info.units, str16BufferSize(String128)).assign(units);
    info.flags = flags;
    info.id = tag;
    info.stepCount = 0;
    info.unitId = kRootUnitId;
}

void printPlainValue(ParamValue plain, int32 precision, String128 string)
{
    // UString::printFloat terminates its text at the untruncated length, past the field's end
    // for a text longer than the field, so such a text is refused before it is printed.
    const int length = std::snprintf(nullptr, 0, "%.*lf", precision, plain);
    const bool fits = length > 0 && length < static_cast<int>(str16BufferSize(String128));
    if (!fits || !UString(string, str16BufferSize(String128)).printFloat(plain, precision))
        string[0] = 0;
}

} // namespace Vst
} // namespace Steinberg
