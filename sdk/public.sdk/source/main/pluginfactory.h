#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <vector>

namespace Steinberg {

/** The module's class factory: lists the registered classes and creates their instances. */
class CPluginFactory : public IPluginFactory3
{
public:
    using CreateFunction = FUnknown* (*)(void* context);

    explicit CPluginFactory(const PFactoryInfo& info);
    virtual ~CPluginFactory();

    /** Registers a class; false when its class ID is registered already. */
    bool registerClass(const PClassInfo2* info, CreateFunction createFunc, void* context = nullptr);
    bool isClassRegistered(const FUID& cid) const;

    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) SMTG_OVERRIDE;
    int32 PLUGIN_API countClasses() SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) SMTG_OVERRIDE;
    tresult PLUGIN_API createInstance(FIDString cid, FIDString interfaceId,
                                      void** obj) SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) SMTG_OVERRIDE;
    tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) SMTG_OVERRIDE;
    tresult PLUGIN_API setHostContext(FUnknown* context) SMTG_OVERRIDE;

    DECLARE_FUNKNOWN_METHODS

private:
    struct ClassEntry
    {
        PClassInfo2 info;
        CreateFunction createFunc;
        void* context;
    };

    const ClassEntry* entryAt(int32 index) const;

    PFactoryInfo factoryInfo;
    std::vector<ClassEntry> classes;
    FUnknown* hostContext = nullptr;
};

} // namespace Steinberg

/** The module's one factory while the host holds it; cleared by the factory's destructor. */
extern Steinberg::IPluginFactory* gPluginFactory;
