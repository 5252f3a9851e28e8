#include "vstgui/uidescription/uiviewfactory.h"

#include "vstgui/lib/cview.h"
#include "vstgui/uidescription/iviewcreator.h"
#include "vstgui/uidescription/standardviewcreators.h"
#include "vstgui/uidescription/uiattributes.h"

#include <map>
#include <string>

namespace VSTGUI {
namespace {

using Registry = std::map<std::string, const IViewCreator*>;

Registry& registry()
{
    static Registry creators = [] {
        Registry standard;
        for (const IViewCreator* creator : standardViewCreators())
            standard[creator->getViewName()] = creator;
        return standard;
    }();
    return creators;
}

} // namespace

void UIViewFactory::registerViewCreator(const IViewCreator& creator)
{
    registry()[creator.getViewName()] = &creator;
}

void UIViewFactory::unregisterViewCreator(const IViewCreator& creator)
{
    const auto found = registry().find(creator.getViewName());
    if (found != registry().end() && found->second == &creator)
        registry().erase(found);
}

const IViewCreator* UIViewFactory::getViewCreator(IdStringPtr viewName)
{
    if (!viewName)
        return nullptr;
    const auto found = registry().find(viewName);
    return found == registry().end() ? nullptr : found->second;
}

CView* UIViewFactory::createView(const UIAttributes& attributes,
                                 const IUIDescription* description) const
{
    const std::string* className = attributes.getAttributeValue("class");
    const IViewCreator* creator = className ? getViewCreator(className->c_str()) : nullptr;
    if (!creator)
        return nullptr;
    CView* view = creator->create(attributes, description);
    if (view)
        applyAttributes(view, className->c_str(), attributes, description);
    return view;
}

bool UIViewFactory::applyAttributes(CView* view, IdStringPtr viewName,
                                    const UIAttributes& attributes,
                                    const IUIDescription* description) const
{
    const IViewCreator* creator = getViewCreator(viewName);
    if (!creator)
        return false;
    // A chain that names itself again would never end; no chain is longer than the registry.
    for (size_t step = 0; creator && step < registry().size(); ++step)
    {
        if (!creator->apply(view, attributes, description))
            return false;
        creator = getViewCreator(creator->getBaseViewName());
    }
    return true;
}

} // namespace VSTGUI
