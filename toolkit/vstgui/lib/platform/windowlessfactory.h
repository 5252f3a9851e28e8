#pragma once

#include "vstgui/lib/platform/iplatformwindow.h"

namespace VSTGUI {

/** Windows that show nothing, for running editors without a display: every attach succeeds. */
class WindowlessFactory : public IPlatformWindowFactory
{
public:
    std::unique_ptr<IPlatformWindow> prepare(void* parent,
                                             Steinberg::IPlugFrame* plugFrame) override;
};

} // namespace VSTGUI
