#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <memory>
#include <utility>
#include <vector>

namespace qz::testhost {

/** One parameter's points for a block, kept in the order they were added. Owned by the host. */
class ParamValueQueue : public Steinberg::Vst::IParamValueQueue
{
public:
    explicit ParamValueQueue(Steinberg::Vst::ParamID parameterId) : id(parameterId) {}
    virtual ~ParamValueQueue() = default;

    ParamValueQueue& add(Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value);
    /** getPoint calls for an index the queue has no point at. */
    Steinberg::int32 missingPointReads() const { return missingReads; }

    Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id; }
    Steinberg::int32 PLUGIN_API getPointCount() override;
    Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                           Steinberg::Vst::ParamValue& value) override;
    Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset,
                                           Steinberg::Vst::ParamValue value,
                                           Steinberg::int32& index) override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID queriedIid,
                                                 void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
    Steinberg::uint32 PLUGIN_API release() override { return 1; }

private:
    Steinberg::Vst::ParamID id;
    Steinberg::int32 missingReads = 0;
    std::vector<std::pair<Steinberg::int32, Steinberg::Vst::ParamValue>> points;
};

/** The parameter changes of one block, as a host hands them to process. Owned by the host. */
class ParameterChanges : public Steinberg::Vst::IParameterChanges
{
public:
    virtual ~ParameterChanges() = default;

    /** A new queue for id, after the queues added so far. */
    ParamValueQueue& addQueue(Steinberg::Vst::ParamID id);
    /** A queue for id holding one point at offset 0. */
    ParameterChanges& set(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value);
    /** An index for which getParameterData answers null. */
    void addNullQueue();
    void clear() { queues.clear(); }

    Steinberg::int32 PLUGIN_API getParameterCount() override;
    Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
    Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                  Steinberg::int32& index) override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID queriedIid,
                                                 void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
    Steinberg::uint32 PLUGIN_API release() override { return 1; }

private:
    std::vector<std::unique_ptr<ParamValueQueue>> queues; // null where a null queue was added
};

} // namespace qz::testhost
