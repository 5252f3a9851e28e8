#pragma once

#include "vstgui/lib/vstguibase.h"

#include <string>

namespace VSTGUI {

/** A UTF-8 text. */
class UTF8String
{
public:
    UTF8String() = default;
    UTF8String(UTF8StringPtr text) : string(text ? text : "") {}
    UTF8String(std::string text) : string(std::move(text)) {}

    const std::string& getString() const { return string; }
    UTF8StringPtr data() const { return string.data(); }
    bool empty() const { return string.empty(); }

    bool operator==(const UTF8String& other) const { return string == other.string; }
    bool operator!=(const UTF8String& other) const { return string != other.string; }

private:
    std::string string;
};

} // namespace VSTGUI
