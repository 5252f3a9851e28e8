#pragma once

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {

// Parameter IDs, dense from 0 to 32; band k (rising centre frequency) has ID kFirstBandId + k.
enum : ParamID
{
    kLevelId = 0,
    kFirstBandId = 1,
    kBypassId = 32,
};
constexpr int32 kNumBands = 31;
constexpr int32 kNumValues = kNumBands + 1; // level and bands, indexed by ID

constexpr double kLevelMinDb = -36.0;
constexpr double kLevelMaxDb = 12.0;
constexpr double kBandMinDb = -12.0;
constexpr double kBandMaxDb = 12.0;

/** Normalised output level to dB: 48 v - 36. */
constexpr double levelToDb(double normalized)
{
    return kLevelMinDb + (kLevelMaxDb - kLevelMinDb) * normalized;
}

/** Normalised band gain to dB: 24 v - 12. */
constexpr double bandToDb(double normalized)
{
    return kBandMinDb + (kBandMaxDb - kBandMinDb) * normalized;
}

/** Bypass is on above 0.5; a value that is not a number turns it on. */
constexpr bool bypassFromNormalized(double normalized)
{
    return !(normalized <= 0.5);
}

/** A normalised value brought into 0..1; one that is not a number becomes fallback. */
constexpr double clampNormalized(double value, double fallback)
{
    if (!(value == value))
        return fallback;
    return value < 0.0 ? 0.0 : value > 1.0 ? 1.0 : value;
}

constexpr double bypassToNormalized(bool bypass)
{
    return bypass ? 1.0 : 0.0;
}

/** The 33 settings as normalised values; travels through the host as the 268-byte component state.
 */
struct ParamState
{
    static constexpr int32 kStreamSize = 8 + 8 * kNumValues + 4;

    double values[kNumValues];
    bool bypass;

    /** Level 0 dB, every band 0 dB, bypass off. */
    static ParamState defaults();

    /** Reads the whole record or nothing: on a null or short stream the record keeps every field.
        Values outside 0..1 end at the range's edges, a value that is not a number takes its
        parameter's default, so a foreign or damaged stream cannot drive the filters wild. */
    tresult read(IBStream* stream);
    /** Writes the record; kResultFalse at the first field the stream refuses. */
    tresult write(IBStream* stream) const;
};

} // namespace Vst
} // namespace Steinberg
