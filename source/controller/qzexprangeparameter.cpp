#include "controller/qzexprangeparameter.h"

#include "controller/rangeparametercommon.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

QZExpRangeParameter::QZExpRangeParameter(const TChar* title, ParamID tag, const TChar* units,
                                         int32 flags, ParamValue minValue, ParamValue maxValue,
                                         ParamValue defaultValuePlain)
{
    minPlain = minValue;
    maxPlain = maxValue;
    describeRangeParameter(info, title, tag, units, flags);
    info.defaultNormalizedValue = valueNormalized = toNormalized(defaultValuePlain);
}

QZExpRangeParameter::~QZExpRangeParameter() = default;

void QZExpRangeParameter::toString(ParamValue normalized, String128 string) const
{
    printPlainValue(toPlain(normalized), precision, string);
}

ParamValue QZExpRangeParameter::toPlain(ParamValue normalized) const
{
    return std::exp(std::log(getMax() / getMin()) * normalized) * getMin();
}

ParamValue QZExpRangeParameter::toNormalized(ParamValue plainValue) const
{
    return std::log(plainValue / getMin()) / std::log(getMax() / getMin());
}

} // namespace Vst
} // namespace Steinberg
