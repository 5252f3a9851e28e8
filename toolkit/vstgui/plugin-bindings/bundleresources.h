#pragma once

#include <string>

namespace VSTGUI {

/**
 * The path of a file in the Contents/Resources folder of the bundle that holds the running
 * module, found from the module's own path (Contents/<architecture>/<module>).
 */
std::string bundleResourcePath(const std::string& fileName);

/** Takes path as the module's path instead of asking the loader; empty asks the loader again. */
void setModulePath(std::string path);

} // namespace VSTGUI
