#pragma once

namespace VSTGUI {

/** Receives a broken precondition: its message (null when it has none) and its source position. */
using AssertionHandler = void (*)(const char* message, const char* file, int line);

/** Installs the handler of broken preconditions; none (they pass silently) until one is set. */
void setAssertionHandler(AssertionHandler handler);
AssertionHandler getAssertionHandler();

/** Reports a broken precondition to the installed handler, if any. */
void reportAssertion(const char* message, const char* file, int line);

} // namespace VSTGUI

/** Checks a precondition; a broken one goes to the assertion handler and execution goes on. */
#define vstgui_assert(condition, message)                                                          \
    do                                                                                             \
    {                                                                                              \
        if (!(condition))                                                                          \
            VSTGUI::reportAssertion(message, __FILE__, __LINE__);                                  \
    } while (false)
