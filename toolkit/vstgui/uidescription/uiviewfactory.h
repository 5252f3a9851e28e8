#pragma once

#include "vstgui/lib/vstguibase.h"

namespace VSTGUI {

class CView;
class IUIDescription;
class IViewCreator;
class UIAttributes;

/**
 * Builds views from UI-description elements through the view creators registered by view class
 * name (the element's "class" attribute). The toolkit's own creators are always registered.
 */
class UIViewFactory
{
public:
    /**
     * A new view for the element, with its attributes applied, or null when the class has no
     * creator or the creator builds nothing.
     */
    CView* createView(const UIAttributes& attributes, const IUIDescription* description) const;
    /**
     * Applies the attributes through the creator of the class and then through the creators of
     * its base view classes in turn, for as long as each apply returns true.
     */
    bool applyAttributes(CView* view, IdStringPtr viewName, const UIAttributes& attributes,
                         const IUIDescription* description) const;

    /** Registers a creator under its view name, replacing one of the same name. */
    static void registerViewCreator(const IViewCreator& creator);
    static void unregisterViewCreator(const IViewCreator& creator);
    static const IViewCreator* getViewCreator(IdStringPtr viewName);
};

} // namespace VSTGUI
