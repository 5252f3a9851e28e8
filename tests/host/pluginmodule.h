#pragma once

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"

#include <string>

namespace qz::testhost {

/**
 * A loaded VST3 module, as a host holds it: dlopen, ModuleEntry and GetPluginFactory on
 * construction; the factory's release, ModuleExit and dlclose on destruction.
 */
class PluginModule
{
public:
    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    Steinberg::IPluginFactory* factory() const { return pluginFactory; }
    /** The factory's IPluginFactory2 interface (owned by the caller's IPtr). */
    Steinberg::IPtr<Steinberg::IPluginFactory2> factory2() const;

    /** A new instance of the class cid, asked for interface T; null when the factory refuses. */
    template <typename T> Steinberg::IPtr<T> create(const Steinberg::TUID cid) const
    {
        T* object = nullptr;
        if (pluginFactory->createInstance(reinterpret_cast<Steinberg::FIDString>(cid), T::iid,
                                          reinterpret_cast<void**>(&object)) !=
            Steinberg::kResultOk)
            return nullptr;
        return Steinberg::owned(object);
    }

    /** Releases the factory completely and asks the module for it again. */
    void reacquireFactory();

    /** Looks up an exported symbol of the module. */
    void* symbol(const char* name) const;

private:
    void* library = nullptr;
    Steinberg::IPluginFactory* pluginFactory = nullptr;
};

/** Where the build put the module inside its bundle. */
std::string builtModulePath();

} // namespace qz::testhost
