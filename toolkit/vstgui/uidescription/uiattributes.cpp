#include "vstgui/uidescription/uiattributes.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <locale>
#include <sstream>

namespace VSTGUI {
namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

bool UIAttributes::hasAttribute(const std::string& name) const
{
    return attributes.count(name) != 0;
}

const std::string* UIAttributes::getAttributeValue(const std::string& name) const
{
    const auto found = attributes.find(name);
    return found == attributes.end() ? nullptr : &found->second;
}

void UIAttributes::setAttribute(const std::string& name, const std::string& value)
{
    attributes[name] = value;
}

void UIAttributes::removeAttribute(const std::string& name)
{
    attributes.erase(name);
}

bool UIAttributes::getPointAttribute(const std::string& name, CPoint& point) const
{
    const std::string* text = getAttributeValue(name);
    return text && stringToPoint(*text, point);
}

bool UIAttributes::getDoubleAttribute(const std::string& name, double& value) const
{
    const std::string* text = getAttributeValue(name);
    return text && stringToDouble(*text, value);
}

bool UIAttributes::getBooleanAttribute(const std::string& name, bool& value) const
{
    const std::string* text = getAttributeValue(name);
    if (!text || (*text != "true" && *text != "false"))
        return false;
    value = *text == "true";
    return true;
}

std::string UIAttributes::pointToString(const CPoint& point)
{
    return doubleToString(point.x) + ", " + doubleToString(point.y);
}

std::string UIAttributes::doubleToString(double value, int32_t precision)
{
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream.precision(precision);
    stream << value;
    return stream.str();
}

bool UIAttributes::stringToDouble(const std::string& text, double& value)
{
    const std::string number = trimmed(text);
    if (number.empty())
        return false;
    // from_chars takes no leading '+'; the rest of the text must be the number.
    const char* first = number.data() + (number[0] == '+' ? 1 : 0);
    const char* last = number.data() + number.size();
    double parsed = 0.;
    const auto [end, error] = std::from_chars(first, last, parsed);
    // Infinities and NaN would reach sizes and divisors: they read as no number.
    if (error != std::errc() || end != last || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool UIAttributes::stringToPoint(const std::string& text, CPoint& point)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    CPoint parsed;
    if (!stringToDouble(text.substr(0, comma), parsed.x) ||
        !stringToDouble(text.substr(comma + 1), parsed.y))
        return false;
    point = parsed;
    return true;
}

} // namespace VSTGUI
