#pragma once

#include "vstgui/lib/vstguibase.h"

#include <list>
#include <string>

namespace VSTGUI {

class CView;
class IUIDescription;
class UIAttributes;

/**
 * Builds the views of one class from a UI description's elements and reads and reports that
 * class's attributes. The view factory applies an element's attributes through its class's
 * creator and then through the creators of the base view classes, for as long as each apply
 * returns true.
 */
class IViewCreator
{
public:
    enum AttrType
    {
        kUnknownType = 0,
        kBooleanType = 1,
        kIntegerType = 2,
        kFloatType = 3,
        kColorType = 4,
        kFontType = 5,
        kBitmapType = 6,
        kStringType = 7,
        kPointType = 8,
        kRectType = 9,
        kTagType = 10,
        kListType = 11,
    };
    using StringList = std::list<std::string>;
    using ConstStringPtrList = std::list<const std::string*>;

    virtual ~IViewCreator() = default;

    virtual IdStringPtr getViewName() const = 0;
    /** The view class whose creator applies next, or null at the root of the chain. */
    virtual IdStringPtr getBaseViewName() const = 0;
    /** A new view for the element (its first reference is the caller's), or null. */
    virtual CView* create(const UIAttributes& attributes,
                          const IUIDescription* description) const = 0;
    virtual bool apply(CView* view, const UIAttributes& attributes,
                       const IUIDescription* description) const = 0;
    virtual bool getAttributeNames(StringList& attributeNames) const = 0;
    virtual AttrType getAttributeType(const std::string& attributeName) const = 0;
    virtual bool getAttributeValue(CView* view, const std::string& attributeName,
                                   std::string& stringValue,
                                   const IUIDescription* description) const = 0;
    virtual bool getPossibleListValues(const std::string& attributeName,
                                       ConstStringPtrList& values) const = 0;
    virtual bool getAttributeValueRange(const std::string& attributeName, double& minValue,
                                        double& maxValue) const = 0;
    virtual UTF8StringPtr getDisplayName() const = 0;
};

/** An IViewCreator without attributes of its own: its apply passes on to the base classes. */
class ViewCreatorAdapter : public IViewCreator
{
public:
    CView* create(const UIAttributes&, const IUIDescription*) const override { return nullptr; }
    bool apply(CView*, const UIAttributes&, const IUIDescription*) const override { return true; }
    bool getAttributeNames(StringList&) const override { return false; }
    AttrType getAttributeType(const std::string&) const override { return kUnknownType; }
    bool getAttributeValue(CView*, const std::string&, std::string&,
                           const IUIDescription*) const override
    {
        return false;
    }
    bool getPossibleListValues(const std::string&, ConstStringPtrList&) const override
    {
        return false;
    }
    bool getAttributeValueRange(const std::string&, double&, double&) const override
    {
        return false;
    }
    UTF8StringPtr getDisplayName() const override { return getViewName(); }
};

} // namespace VSTGUI
