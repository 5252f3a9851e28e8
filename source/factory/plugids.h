#pragma once

#include "pluginterfaces/base/funknown.h"

namespace Steinberg {
namespace Vst {

static const FUID PlugProcessorUID(0x5A1C3E70, 0x4B9D4F21, 0x8E6A2D57, 0xC3F09B14);
static const FUID PlugControllerUID(0x9D27B4E8, 0x16F34A5C, 0xB0C85E92, 0x7A4D61F3);

} // namespace Vst
} // namespace Steinberg

#define QZ_VENDOR "VORLIX Soft"
#define QZ_URL "https://www.vorlix-soft.com"
#define QZ_EMAIL "mailto:support@vorlix-soft.com"
#define QZ_PLUGIN_NAME "qz TORVIQ"
#define QZ_CONTROLLER_NAME "qz TORVIQ Controller"
#define QZ_FULL_VERSION "2.1.0.1"
#define QZ_SHORT_VERSION "2.1.0"
