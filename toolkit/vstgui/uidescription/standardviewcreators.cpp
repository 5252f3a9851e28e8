#include "vstgui/uidescription/standardviewcreators.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/uidescription/iuidescription.h"
#include "vstgui/uidescription/iviewcreator.h"
#include "vstgui/uidescription/uiattributes.h"

namespace VSTGUI {
namespace {

bool colorAttribute(const UIAttributes& attributes, const char* name,
                    const IUIDescription* description, CColor& color)
{
    const std::string* text = attributes.getAttributeValue(name);
    return text && description && description->getColor(text->c_str(), color);
}

bool floatAttribute(const UIAttributes& attributes, const char* name, float& value)
{
    double number = 0.;
    if (!attributes.getDoubleAttribute(name, number))
        return false;
    value = static_cast<float>(number);
    return true;
}

/** "origin" and "size", in the parent's coordinates. */
class ViewCreator : public ViewCreatorAdapter
{
public:
    IdStringPtr getViewName() const override { return "CView"; }
    IdStringPtr getBaseViewName() const override { return nullptr; }
    CView* create(const UIAttributes&, const IUIDescription*) const override
    {
        return new CView(CRect());
    }
    bool apply(CView* view, const UIAttributes& attributes, const IUIDescription*) const override
    {
        if (!view)
            return false;
        CPoint origin = view->getViewSize().getTopLeft();
        CPoint size = view->getViewSize().getSize();
        attributes.getPointAttribute("origin", origin);
        attributes.getPointAttribute("size", size);
        view->setViewSize(CRect(origin, size));
        return true;
    }
};

/** "background-color". */
class ViewContainerCreator : public ViewCreatorAdapter
{
public:
    IdStringPtr getViewName() const override { return "CViewContainer"; }
    IdStringPtr getBaseViewName() const override { return "CView"; }
    CView* create(const UIAttributes&, const IUIDescription*) const override
    {
        return new CViewContainer(CRect());
    }
    bool apply(CView* view, const UIAttributes& attributes,
               const IUIDescription* description) const override
    {
        auto* container = dynamic_cast<CViewContainer*>(view);
        if (!container)
            return false;
        CColor color;
        if (colorAttribute(attributes, "background-color", description, color))
            container->setBackgroundColor(color);
        return true;
    }
};

/**
 * "control-tag" (a tag name, resolved and given a listener through the description),
 * "min-value", "max-value", "default-value", "wheel-inc-value".
 */
class ControlCreator : public ViewCreatorAdapter
{
public:
    IdStringPtr getViewName() const override { return "CControl"; }
    IdStringPtr getBaseViewName() const override { return "CView"; }
    bool apply(CView* view, const UIAttributes& attributes,
               const IUIDescription* description) const override
    {
        auto* control = dynamic_cast<CControl*>(view);
        if (!control)
            return false;
        float number = 0.f;
        if (floatAttribute(attributes, "min-value", number))
            control->setMin(number);
        if (floatAttribute(attributes, "max-value", number))
            control->setMax(number);
        if (floatAttribute(attributes, "default-value", number))
            control->setDefaultValue(number);
        if (floatAttribute(attributes, "wheel-inc-value", number))
            control->setWheelInc(number);
        const std::string* tagName = attributes.getAttributeValue("control-tag");
        if (tagName && description)
        {
            const int32_t tag = description->getTagForName(tagName->c_str());
            if (tag != -1)
            {
                control->setListener(description->getControlListener(tagName->c_str()));
                control->setTag(tag);
            }
        }
        return true;
    }
};

/** "font-color", "font-size", "back-color", "text-alignment" (left, center, right). */
class ParamDisplayCreator : public ViewCreatorAdapter
{
public:
    IdStringPtr getViewName() const override { return "CParamDisplay"; }
    IdStringPtr getBaseViewName() const override { return "CControl"; }
    CView* create(const UIAttributes&, const IUIDescription*) const override
    {
        return new CParamDisplay(CRect());
    }
    bool apply(CView* view, const UIAttributes& attributes,
               const IUIDescription* description) const override
    {
        auto* display = dynamic_cast<CParamDisplay*>(view);
        if (!display)
            return false;
        CColor color;
        if (colorAttribute(attributes, "font-color", description, color))
            display->setFontColor(color);
        if (colorAttribute(attributes, "back-color", description, color))
            display->setBackColor(color);
        double fontSize = 0.;
        if (attributes.getDoubleAttribute("font-size", fontSize) && fontSize > 0.)
            display->setFontSize(fontSize);
        if (const std::string* align = attributes.getAttributeValue("text-alignment"))
            display->setHoriAlign(*align == "left"    ? kLeftText
                                  : *align == "right" ? kRightText
                                                      : kCenterText);
        return true;
    }
};

/** "title". */
class TextLabelCreator : public ViewCreatorAdapter
{
public:
    IdStringPtr getViewName() const override { return "CTextLabel"; }
    IdStringPtr getBaseViewName() const override { return "CParamDisplay"; }
    CView* create(const UIAttributes&, const IUIDescription*) const override
    {
        return new CTextLabel(CRect());
    }
    bool apply(CView* view, const UIAttributes& attributes, const IUIDescription*) const override
    {
        auto* label = dynamic_cast<CTextLabel*>(view);
        if (!label)
            return false;
        if (const std::string* title = attributes.getAttributeValue("title"))
            label->setText(UTF8String(*title));
        return true;
    }
};

/** "title", "on-color", "off-color", "font-color", "font-size". */
class OnOffButtonCreator : public ViewCreatorAdapter
{
public:
    IdStringPtr getViewName() const override { return "COnOffButton"; }
    IdStringPtr getBaseViewName() const override { return "CControl"; }
    CView* create(const UIAttributes&, const IUIDescription*) const override
    {
        return new COnOffButton(CRect());
    }
    bool apply(CView* view, const UIAttributes& attributes,
               const IUIDescription* description) const override
    {
        auto* button = dynamic_cast<COnOffButton*>(view);
        if (!button)
            return false;
        if (const std::string* title = attributes.getAttributeValue("title"))
            button->setTitle(UTF8String(*title));
        CColor color;
        if (colorAttribute(attributes, "on-color", description, color))
            button->setOnColor(color);
        if (colorAttribute(attributes, "off-color", description, color))
            button->setOffColor(color);
        if (colorAttribute(attributes, "font-color", description, color))
            button->setFontColor(color);
        double fontSize = 0.;
        if (attributes.getDoubleAttribute("font-size", fontSize) && fontSize > 0.)
            button->setFontSize(fontSize);
        return true;
    }
};

} // namespace

const std::vector<const IViewCreator*>& standardViewCreators()
{
    static const ViewCreator view;
    static const ViewContainerCreator container;
    static const ControlCreator control;
    static const ParamDisplayCreator paramDisplay;
    static const TextLabelCreator textLabel;
    static const OnOffButtonCreator onOffButton;
    static const std::vector<const IViewCreator*> creators{&view,         &container, &control,
                                                           &paramDisplay, &textLabel, &onOffButton};
    return creators;
}

} // namespace VSTGUI
