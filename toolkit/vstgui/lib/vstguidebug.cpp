#include "vstgui/lib/vstguidebug.h"

namespace VSTGUI {
namespace {
AssertionHandler assertionHandler = nullptr;
}

void setAssertionHandler(AssertionHandler handler)
{
    assertionHandler = handler;
}

AssertionHandler getAssertionHandler()
{
    return assertionHandler;
}

void reportAssertion(const char* message, const char* file, int line)
{
    if (assertionHandler)
        assertionHandler(message, file, line);
}

} // namespace VSTGUI
