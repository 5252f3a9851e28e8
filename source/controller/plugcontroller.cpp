#include "plugcontroller.h"

namespace Steinberg {
namespace Vst {

FUnknown* PlugController::createInstance(void*)
{
    return static_cast<IEditController*>(new PlugController);
}

} // namespace Vst
} // namespace Steinberg
