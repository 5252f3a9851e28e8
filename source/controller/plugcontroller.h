#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {

/** The equaliser's edit controller. */
class PlugController : public EditController
{
public:
    static FUnknown* createInstance(void* context);
};

} // namespace Vst
} // namespace Steinberg
