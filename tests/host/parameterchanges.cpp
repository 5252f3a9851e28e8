#include "host/parameterchanges.h"

namespace qz::testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

ParamValueQueue& ParamValueQueue::add(int32 sampleOffset, ParamValue value)
{
    points.emplace_back(sampleOffset, value);
    return *this;
}

int32 PLUGIN_API ParamValueQueue::getPointCount()
{
    return static_cast<int32>(points.size());
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value)
{
    if (index < 0 || index >= getPointCount())
    {
        ++missingReads;
        return kResultFalse;
    }
    sampleOffset = points[static_cast<size_t>(index)].first;
    value = points[static_cast<size_t>(index)].second;
    return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
    index = getPointCount();
    add(sampleOffset, value);
    return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::queryInterface(const TUID queriedIid, void** obj)
{
    QUERY_INTERFACE(queriedIid, obj, FUnknown::iid, IParamValueQueue)
    QUERY_INTERFACE(queriedIid, obj, IParamValueQueue::iid, IParamValueQueue)
    *obj = nullptr;
    return kNoInterface;
}

ParamValueQueue& ParameterChanges::addQueue(ParamID id)
{
    queues.push_back(std::make_unique<ParamValueQueue>(id));
    return *queues.back();
}

ParameterChanges& ParameterChanges::set(ParamID id, ParamValue value)
{
    addQueue(id).add(0, value);
    return *this;
}

void ParameterChanges::addNullQueue()
{
    queues.emplace_back();
}

int32 PLUGIN_API ParameterChanges::getParameterCount()
{
    return static_cast<int32>(queues.size());
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
    if (index < 0 || index >= getParameterCount())
        return nullptr;
    return queues[static_cast<size_t>(index)].get();
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
    for (size_t i = 0; i < queues.size(); ++i)
        if (queues[i] && queues[i]->getParameterId() == id)
        {
            index = static_cast<int32>(i);
            return queues[i].get();
        }
    index = getParameterCount();
    return &addQueue(id);
}

tresult PLUGIN_API ParameterChanges::queryInterface(const TUID queriedIid, void** obj)
{
    QUERY_INTERFACE(queriedIid, obj, FUnknown::iid, IParameterChanges)
    QUERY_INTERFACE(queriedIid, obj, IParameterChanges::iid, IParameterChanges)
    *obj = nullptr;
    return kNoInterface;
}

} // namespace qz::testhost
