#include "gui/slidercreator.h"

#include "gui/cslider.h"

#include "vstgui/uidescription/iuidescription.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uiviewfactory.h"

#include <cstdio>

namespace VSTGUI {
namespace UIViewCreator {

namespace {

const std::string kAttrMode = "mode";
const std::string kAttrFreeClick = "free-click";
const std::string kAttrHandleOffset = "handle-offset";
const std::string kAttrZoomFactor = "zoom-factor";
const std::string kAttrOrientation = "orientation";
const std::string kAttrReverseOrientation = "reverse-orientation";
const std::string kAttrHandleSize = "handle-size";
const std::string kAttrBackColor = "back-color";
const std::string kAttrTrackColor = "track-color";
const std::string kAttrHandleColor = "handle-color";

const std::string kTrue = "true";
const std::string kFalse = "false";
const std::string kHorizontalName = "horizontal";
const std::string kVerticalName = "vertical";

int32_t withOrientation(int32_t style, const std::string& orientation)
{
    style &= ~(kHorizontal | kVertical);
    return style | (orientation == kVerticalName ? kVertical : kHorizontal);
}

int32_t withDirection(int32_t style, bool reversed)
{
    if (style & kVertical)
        return (style & ~(reversed ? kBottom : kTop)) | (reversed ? kTop : kBottom);
    if (style & kHorizontal)
        return (style & ~(reversed ? kLeft : kRight)) | (reversed ? kRight : kLeft);
    return style;
}

bool isReversed(int32_t style)
{
    return ((style & kVertical) && (style & kTop)) || ((style & kHorizontal) && (style & kRight));
}

bool readColor(const UIAttributes& attributes, const std::string& name,
               const IUIDescription* description, CColor& color)
{
    const std::string* text = attributes.getAttributeValue(name);
    return text && description && description->getColor(text->c_str(), color);
}

std::string colorToString(const CColor& color)
{
    char text[10];
    std::snprintf(text, sizeof text, "#%02x%02x%02x%02x", color.red, color.green, color.blue,
                  color.alpha);
    return text;
}

} // namespace

const SliderBaseCreator::ModeNames& SliderBaseCreator::getSliderModeNames()
{
    static const ModeNames sliderModeNames{"touch",         "relative touch", "free click",
                                           "QZ free click", "ramp",           "use global"};
    return sliderModeNames;
}

bool SliderBaseCreator::apply(CView* view, const UIAttributes& attributes,
                              const IUIDescription*) const
{
    auto* slider = dynamic_cast<CSliderBase*>(view);
    if (!slider)
        return false;

    if (const std::string* freeClick = attributes.getAttributeValue(kAttrFreeClick))
        slider->setSliderMode(*freeClick == kTrue ? kFreeClick : kTouch);
    if (const std::string* mode = attributes.getAttributeValue(kAttrMode))
    {
        const ModeNames& names = getSliderModeNames();
        for (size_t index = 0; index < names.size(); ++index)
        {
            if (*mode == names[index])
            {
                slider->setSliderMode(static_cast<SliderMode>(index));
                break;
            }
        }
    }

    CPoint offset;
    if (attributes.getPointAttribute(kAttrHandleOffset, offset))
        slider->setOffsetHandle(offset);
    double zoomFactor = 0.;
    if (attributes.getDoubleAttribute(kAttrZoomFactor, zoomFactor))
        slider->setZoomFactor(static_cast<float>(zoomFactor));
    if (const std::string* orientation = attributes.getAttributeValue(kAttrOrientation))
        slider->setStyle(withOrientation(slider->getStyle(), *orientation));
    if (const std::string* reverse = attributes.getAttributeValue(kAttrReverseOrientation))
        slider->setStyle(withDirection(slider->getStyle(), *reverse == kTrue));
    return true;
}

bool SliderBaseCreator::getAttributeNames(StringList& attributeNames) const
{
    attributeNames.insert(
        attributeNames.end(),
        {kAttrMode, kAttrOrientation, kAttrReverseOrientation, kAttrHandleOffset, kAttrZoomFactor});
    return true;
}

IViewCreator::AttrType SliderBaseCreator::getAttributeType(const std::string& attributeName) const
{
    if (attributeName == kAttrMode || attributeName == kAttrOrientation)
        return kListType;
    if (attributeName == kAttrHandleOffset)
        return kPointType;
    if (attributeName == kAttrZoomFactor)
        return kFloatType;
    if (attributeName == kAttrReverseOrientation)
        return kBooleanType;
    return kUnknownType;
}

bool SliderBaseCreator::getAttributeValue(CView* view, const std::string& attributeName,
                                          std::string& stringValue, const IUIDescription*) const
{
    auto* slider = dynamic_cast<CSliderBase*>(view);
    if (!slider)
        return false;
    if (attributeName == kAttrMode)
    {
        const ModeNames& names = getSliderModeNames();
        const auto mode = static_cast<size_t>(slider->getSliderMode());
        if (mode >= names.size())
            return false;
        stringValue = names[mode];
    }
    else if (attributeName == kAttrHandleOffset)
        stringValue = UIAttributes::pointToString(slider->getOffsetHandle());
    else if (attributeName == kAttrZoomFactor)
        stringValue = UIAttributes::doubleToString(slider->getZoomFactor(), 6);
    else if (attributeName == kAttrOrientation)
        stringValue = (slider->getStyle() & kVertical) ? kVerticalName : kHorizontalName;
    else if (attributeName == kAttrReverseOrientation)
        stringValue = isReversed(slider->getStyle()) ? kTrue : kFalse;
    else
        return false;
    return true;
}

bool SliderBaseCreator::getPossibleListValues(const std::string& attributeName,
                                              ConstStringPtrList& values) const
{
    if (attributeName == kAttrOrientation)
    {
        values.push_back(&kHorizontalName);
        values.push_back(&kVerticalName);
        return true;
    }
    if (attributeName == kAttrMode)
    {
        for (const std::string& name : getSliderModeNames())
            values.push_back(&name);
        return true;
    }
    return false;
}

SliderCreator::SliderCreator()
{
    UIViewFactory::registerViewCreator(*this);
}

SliderCreator::~SliderCreator()
{
    UIViewFactory::unregisterViewCreator(*this);
}

IdStringPtr SliderCreator::getViewName() const
{
    return "CSlider";
}

IdStringPtr SliderCreator::getBaseViewName() const
{
    return "CControl";
}

UTF8StringPtr SliderCreator::getDisplayName() const
{
    return "Slider";
}

CView* SliderCreator::create(const UIAttributes&, const IUIDescription*) const
{
    return new CSlider(CRect(), nullptr, -1, kHorizontal | kLeft);
}

bool SliderCreator::apply(CView* view, const UIAttributes& attributes,
                          const IUIDescription* description) const
{
    auto* slider = dynamic_cast<CSlider*>(view);
    if (!slider)
        return false;
    CPoint handleSize;
    if (attributes.getPointAttribute(kAttrHandleSize, handleSize))
        slider->setHandleSize(handleSize);
    CColor color;
    if (readColor(attributes, kAttrBackColor, description, color))
        slider->setBackColor(color);
    if (readColor(attributes, kAttrTrackColor, description, color))
        slider->setTrackColor(color);
    if (readColor(attributes, kAttrHandleColor, description, color))
        slider->setHandleColor(color);
    return SliderBaseCreator::apply(view, attributes, description);
}

bool SliderCreator::getAttributeNames(StringList& attributeNames) const
{
    SliderBaseCreator::getAttributeNames(attributeNames);
    attributeNames.insert(attributeNames.end(),
                          {kAttrHandleSize, kAttrBackColor, kAttrTrackColor, kAttrHandleColor});
    return true;
}

IViewCreator::AttrType SliderCreator::getAttributeType(const std::string& attributeName) const
{
    if (attributeName == kAttrHandleSize)
        return kPointType;
    if (attributeName == kAttrBackColor || attributeName == kAttrTrackColor ||
        attributeName == kAttrHandleColor)
        return kColorType;
    return SliderBaseCreator::getAttributeType(attributeName);
}

bool SliderCreator::getAttributeValue(CView* view, const std::string& attributeName,
                                      std::string& stringValue,
                                      const IUIDescription* description) const
{
    const auto* slider = dynamic_cast<const CSlider*>(view);
    if (!slider)
        return SliderBaseCreator::getAttributeValue(view, attributeName, stringValue, description);
    if (attributeName == kAttrHandleSize)
        stringValue = UIAttributes::pointToString(slider->getHandleSize());
    else if (attributeName == kAttrBackColor)
        stringValue = colorToString(slider->getBackColor());
    else if (attributeName == kAttrTrackColor)
        stringValue = colorToString(slider->getTrackColor());
    else if (attributeName == kAttrHandleColor)
        stringValue = colorToString(slider->getHandleColor());
    else
        return SliderBaseCreator::getAttributeValue(view, attributeName, stringValue, description);
    return true;
}

} // namespace UIViewCreator
} // namespace VSTGUI
