#pragma once

#include "vstgui/lib/cpoint.h"

#include <map>
#include <string>

namespace VSTGUI {

/** The attributes of one element of a UI description: names and their texts. */
class UIAttributes
{
public:
    bool hasAttribute(const std::string& name) const;
    /** The attribute's text, or null when the element has no such attribute. */
    const std::string* getAttributeValue(const std::string& name) const;
    void setAttribute(const std::string& name, const std::string& value);
    void removeAttribute(const std::string& name);

    /** True and the point when the attribute reads as two numbers separated by a comma. */
    bool getPointAttribute(const std::string& name, CPoint& point) const;
    /** True and the number when the attribute reads as one finite number. */
    bool getDoubleAttribute(const std::string& name, double& value) const;
    /** True and the flag when the attribute is "true" or "false". */
    bool getBooleanAttribute(const std::string& name, bool& value) const;

    /** "x, y", each number as doubleToString writes it. */
    static std::string pointToString(const CPoint& point);
    /** The number with at most precision significant digits and no trailing zeros. */
    static std::string doubleToString(double value, int32_t precision = 6);
    static bool stringToDouble(const std::string& text, double& value);
    static bool stringToPoint(const std::string& text, CPoint& point);

    auto begin() const { return attributes.begin(); }
    auto end() const { return attributes.end(); }

private:
    std::map<std::string, std::string> attributes;
};

} // namespace VSTGUI
