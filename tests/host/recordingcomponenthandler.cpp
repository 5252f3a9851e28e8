#include "host/recordingcomponenthandler.h"

namespace qz::testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

tresult PLUGIN_API RecordingComponentHandler::beginEdit(ParamID id)
{
    recorded.push_back({Call::kBeginEdit, id, 0.0});
    return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::performEdit(ParamID id, ParamValue value)
{
    recorded.push_back({Call::kPerformEdit, id, value});
    return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::endEdit(ParamID id)
{
    recorded.push_back({Call::kEndEdit, id, 0.0});
    return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::restartComponent(int32 flags)
{
    recorded.push_back({Call::kRestartComponent, flags, 0.0});
    return kResultOk;
}

} // namespace qz::testhost
