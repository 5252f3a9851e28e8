#include "vstgui/lib/platform/windowlessfactory.h"

namespace VSTGUI {
namespace {
class Windowless : public IPlatformWindow
{
public:
    bool show(CFrame&) override { return true; }
};
} // namespace

std::unique_ptr<IPlatformWindow> WindowlessFactory::prepare(void*, Steinberg::IPlugFrame*)
{
    return std::make_unique<Windowless>();
}

} // namespace VSTGUI
