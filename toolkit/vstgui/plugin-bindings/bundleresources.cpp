#include "vstgui/plugin-bindings/bundleresources.h"

#include <dlfcn.h>

namespace VSTGUI {
namespace {

std::string& modulePathOverride()
{
    static std::string path;
    return path;
}

std::string loadedModulePath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&bundleResourcePath), &info) == 0 || !info.dli_fname)
        return {};
    return info.dli_fname;
}

std::string parentFolder(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

std::string bundleResourcePath(const std::string& fileName)
{
    const std::string module =
        modulePathOverride().empty() ? loadedModulePath() : modulePathOverride();
    const std::string contents = parentFolder(parentFolder(module));
    if (contents.empty())
        return {};
    return contents + "/Resources/" + fileName;
}

void setModulePath(std::string path)
{
    modulePathOverride() = std::move(path);
}

} // namespace VSTGUI
