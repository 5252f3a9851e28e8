#pragma once

#include <vector>

namespace VSTGUI {

class IViewCreator;

/** The creators of the toolkit's own views, which the view factory always knows. */
const std::vector<const IViewCreator*>& standardViewCreators();

} // namespace VSTGUI
