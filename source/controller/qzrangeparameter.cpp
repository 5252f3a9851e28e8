#include "controller/qzrangeparameter.h"

#include "controller/rangeparametercommon.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

namespace {
// Keeps a value that is zero up to rounding noise from printing as "-0.00".
constexpr ParamValue kZeroClamp = 5e-05;
} // namespace

QZRangeParameter::QZRangeParameter(const TChar* title, ParamID tag, const TChar* units, int32 flags,
                                   ParamValue minValue, ParamValue maxValue,
                                   ParamValue defaultValuePlain)
{
    minPlain = minValue;
    maxPlain = maxValue;
    describeRangeParameter(info, title, tag, units, flags);
    info.defaultNormalizedValue = valueNormalized = toNormalized(defaultValuePlain);
}

QZRangeParameter::~QZRangeParameter() = default;

void QZRangeParameter::toString(ParamValue normalized, String128 string) const
{
    ParamValue plain = toPlain(normalized);
    if (std::fabs(plain) < kZeroClamp)
        plain = 0.0;
    printPlainValue(plain, precision, string);
}

} // namespace Vst
} // namespace Steinberg
