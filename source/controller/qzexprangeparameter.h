#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

/** A range parameter whose plain value rises exponentially from min to max over the normalised
    range. Needs 0 < min, min != max and plain values above 0. */
class QZExpRangeParameter : public RangeParameter
{
public:
    QZExpRangeParameter(const TChar* title, ParamID tag, const TChar* units, int32 flags,
                        ParamValue minValue, ParamValue maxValue, ParamValue defaultValuePlain);
    ~QZExpRangeParameter() override;

    void toString(ParamValue normalized, String128 string) const SMTG_OVERRIDE;
    /** min * (max / min)^v; not clamped to the range. */
    ParamValue toPlain(ParamValue normalized) const SMTG_OVERRIDE;
    /** ln(p / min) / ln(max / min); not clamped to 0..1. */
    ParamValue toNormalized(ParamValue plainValue) const SMTG_OVERRIDE;
};

} // namespace Vst
} // namespace Steinberg
