#include "gui/slidercreator.h"

namespace VSTGUI {
namespace UIViewCreator {
namespace {

// While the module is loaded, every "CSlider" element of every UI description is built by it.
const SliderCreator sliderCreator;

} // namespace
} // namespace UIViewCreator
} // namespace VSTGUI
