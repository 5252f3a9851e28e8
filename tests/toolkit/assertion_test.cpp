#include "vstgui/lib/vstguidebug.h"

#include <gtest/gtest.h>

#include <string>

using namespace VSTGUI;

namespace {
std::string reportedMessage;
int reportedLine = 0;
void record(const char* message, const char*, int line)
{
    reportedMessage = message ? message : "(none)";
    reportedLine = line;
}
} // namespace

TEST(Assertions, ABrokenPreconditionReachesTheInstalledHandlerAndExecutionGoesOn)
{
    setAssertionHandler(&record);
    const int line = __LINE__ + 1;
    vstgui_assert(1 + 1 == 3, "arithmetic");
    vstgui_assert(true, "kept");
    setAssertionHandler(nullptr);
    EXPECT_EQ(reportedMessage, "arithmetic");
    EXPECT_EQ(reportedLine, line);

    vstgui_assert(false, nullptr);
    EXPECT_EQ(reportedMessage, "arithmetic");
}
