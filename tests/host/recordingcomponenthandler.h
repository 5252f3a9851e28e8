#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <vector>

namespace qz::testhost {

/** The host side of a controller's edits: records every call in the order it came. */
class RecordingComponentHandler : public Steinberg::FObject,
                                  public Steinberg::Vst::IComponentHandler
{
public:
    enum class Call
    {
        kBeginEdit,
        kPerformEdit,
        kEndEdit,
        kRestartComponent,
    };
    struct Record
    {
        Call call;
        /** The parameter ID, or the restart flags. */
        Steinberg::int64 subject;
        /** The performed value; 0 for the other calls. */
        Steinberg::Vst::ParamValue value;

        bool operator==(const Record& other) const
        {
            return call == other.call && subject == other.subject && value == other.value;
        }
    };

    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue value) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) SMTG_OVERRIDE;

    const std::vector<Record>& records() const { return recorded; }
    void clear() { recorded.clear(); }

    OBJ_METHODS(RecordingComponentHandler, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IComponentHandler)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    std::vector<Record> recorded;
};

} // namespace qz::testhost
