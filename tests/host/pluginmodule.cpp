#include "host/pluginmodule.h"

#include <dlfcn.h>
#include <stdexcept>

namespace qz::testhost {

using namespace Steinberg;

namespace {
using ModuleEntryFunc = bool (*)(void*);
using ModuleExitFunc = bool (*)();
using GetFactoryFunc = IPluginFactory* (*)();
} // namespace

PluginModule::PluginModule(const std::string& path)
{
    library = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!library)
        throw std::runtime_error(std::string("dlopen failed: ") + dlerror());

    auto entry = reinterpret_cast<ModuleEntryFunc>(symbol("ModuleEntry"));
    auto getFactory = reinterpret_cast<GetFactoryFunc>(symbol("GetPluginFactory"));
    if (!entry || !getFactory || !entry(library))
    {
        dlclose(library);
        throw std::runtime_error("not a VST3 module: " + path);
    }
    pluginFactory = getFactory();
    if (!pluginFactory)
    {
        reinterpret_cast<ModuleExitFunc>(symbol("ModuleExit"))();
        dlclose(library);
        throw std::runtime_error("GetPluginFactory returned null");
    }
}

PluginModule::~PluginModule()
{
    pluginFactory->release();
    if (auto exit = reinterpret_cast<ModuleExitFunc>(symbol("ModuleExit")))
        exit();
    dlclose(library);
}

IPtr<IPluginFactory2> PluginModule::factory2() const
{
    return FUnknownPtr<IPluginFactory2>(pluginFactory);
}

void PluginModule::reacquireFactory()
{
    pluginFactory->release();
    pluginFactory = reinterpret_cast<GetFactoryFunc>(symbol("GetPluginFactory"))();
    if (!pluginFactory)
        throw std::runtime_error("GetPluginFactory returned null");
}

void* PluginModule::symbol(const char* name) const
{
    return dlsym(library, name);
}

std::string builtModulePath()
{
    return QZ_MODULE_PATH;
}

} // namespace qz::testhost
