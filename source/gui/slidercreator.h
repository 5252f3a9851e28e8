#pragma once

#include "vstgui/uidescription/iviewcreator.h"

#include <array>
#include <string>

namespace VSTGUI {
namespace UIViewCreator {

/**
 * Reads a slider element's "mode", "free-click", "handle-offset", "zoom-factor", "orientation"
 * and "reverse-orientation" onto a CSliderBase, and reports them back.
 */
class SliderBaseCreator : public ViewCreatorAdapter
{
public:
    /** The names of the slider modes, indexed by SliderMode. */
    using ModeNames = std::array<std::string, 6>;
    static const ModeNames& getSliderModeNames();

    bool apply(CView* view, const UIAttributes& attributes,
               const IUIDescription* description) const override;
    bool getAttributeNames(StringList& attributeNames) const override;
    AttrType getAttributeType(const std::string& attributeName) const override;
    bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                           const IUIDescription* description) const override;
    bool getPossibleListValues(const std::string& attributeName,
                               ConstStringPtrList& values) const override;
};

/**
 * Builds the "CSlider" elements of a UI description: a horizontal CSlider with its handle size
 * ("handle-size") and colours ("back-color", "track-color", "handle-color"), then the slider
 * attributes of SliderBaseCreator. It registers itself with the view factory for its lifetime.
 */
class SliderCreator : public SliderBaseCreator
{
public:
    SliderCreator();
    ~SliderCreator() override;
    SliderCreator(const SliderCreator&) = delete;
    SliderCreator& operator=(const SliderCreator&) = delete;

    IdStringPtr getViewName() const override;
    IdStringPtr getBaseViewName() const override;
    UTF8StringPtr getDisplayName() const override;
    CView* create(const UIAttributes& attributes, const IUIDescription* description) const override;
    bool apply(CView* view, const UIAttributes& attributes,
               const IUIDescription* description) const override;
    bool getAttributeNames(StringList& attributeNames) const override;
    AttrType getAttributeType(const std::string& attributeName) const override;
    bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                           const IUIDescription* description) const override;
};

} // namespace UIViewCreator
} // namespace VSTGUI
