#include "processor/paramstate.h"

#include "base/source/fstreamer.h"

namespace Steinberg {
namespace Vst {

ParamState ParamState::defaults()
{
    ParamState state{};
    state.values[kLevelId] = 0.75;
    for (int32 band = 0; band < kNumBands; ++band)
        state.values[kFirstBandId + band] = 0.5;
    state.bypass = false;
    return state;
}

tresult ParamState::read(IBStream* stream)
{
    if (!stream)
        return kResultFalse;
    IBStreamer streamer(stream, kLittleEndian);

    uint64 reserved = 0;
    if (!streamer.readInt64u(reserved))
        return kResultFalse;
    double readValues[kNumValues];
    for (double& value : readValues)
        if (!streamer.readDouble(value))
            return kResultFalse;
    int32 readBypass = 0;
    if (!streamer.readInt32(readBypass))
        return kResultFalse;

    const ParamState fallback = defaults();
    for (int32 index = 0; index < kNumValues; ++index)
        values[index] = clampNormalized(readValues[index], fallback.values[index]);
    bypass = readBypass > 0;
    return kResultOk;
}

tresult ParamState::write(IBStream* stream) const
{
    if (!stream)
        return kResultFalse;
    IBStreamer streamer(stream, kLittleEndian);

    if (!streamer.writeInt64u(0))
        return kResultFalse;
    for (double value : values)
        if (!streamer.writeDouble(value))
            return kResultFalse;
    if (!streamer.writeInt32(bypass ? 1 : 0))
        return kResultFalse;
    return kResultOk;
}

} // namespace Vst
} // namespace Steinberg
