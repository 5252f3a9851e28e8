#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

/** A linear range parameter whose text is the plain value with the parameter's precision, values
    within 5e-05 of zero printed as zero. */
class QZRangeParameter : public RangeParameter
{
public:
    QZRangeParameter(const TChar* title, ParamID tag, const TChar* units, int32 flags,
                     ParamValue minValue, ParamValue maxValue, ParamValue defaultValuePlain);
    ~QZRangeParameter() override;

    void toString(ParamValue normalized, String128 string) const SMTG_OVERRIDE;
};

} // namespace Vst
} // namespace Steinberg
