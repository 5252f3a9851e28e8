#include "vstgui/lib/cviewcontainer.h"

#include "vstgui/lib/cdrawcontext.h"

#include <algorithm>

namespace VSTGUI {

CViewContainer::CViewContainer(const CRect& rect) : CView(rect) {}

bool CViewContainer::addView(CView* view)
{
    if (!view || view->getParentView())
        return false;
    children.push_back(view);
    view->setParentView(this);
    view->invalid();
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    const auto found = std::find(children.begin(), children.end(), view);
    if (found == children.end())
        return false;
    view->invalid();
    children.erase(found);
    if (mouseDownView == view)
        mouseDownView = nullptr;
    view->setParentView(nullptr);
    if (withForget)
        view->forget();
    return true;
}

void CViewContainer::removeAll()
{
    while (!children.empty())
        removeView(children.back());
}

CView* CViewContainer::getView(size_t index) const
{
    return index < children.size() ? children[index] : nullptr;
}

CView* CViewContainer::getViewAt(const CPoint& localWhere) const
{
    const auto found = std::find_if(children.rbegin(), children.rend(), [&](const CView* child) {
        return child->getViewSize().pointInside(localWhere);
    });
    return found == children.rend() ? nullptr : *found;
}

void CViewContainer::setBackgroundColor(const CColor& color)
{
    if (color == backgroundColor)
        return;
    backgroundColor = color;
    invalid();
}

void CViewContainer::invalidRect(const CRect& localRect)
{
    if (auto* container = getParentView())
        container->invalidRect(CRect(localRect).offset(getViewSize().left, getViewSize().top));
}

void CViewContainer::draw(CDrawContext* context)
{
    if (backgroundColor.alpha != 0)
    {
        context->setFillColor(backgroundColor);
        context->drawRect(getViewSize(), kDrawFilled);
    }
    const CPoint savedOffset = context->getOffset();
    context->setOffset(CPoint(savedOffset).offset(getViewSize().left, getViewSize().top));
    for (auto* child : children)
    {
        if (context->isInUpdateRect(child->getViewSize()))
            child->draw(context);
    }
    context->setOffset(savedOffset);
}

CPoint CViewContainer::toLocal(const CPoint& where) const
{
    return CPoint(where).offset(-getViewSize().left, -getViewSize().top);
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    CPoint local = toLocal(where);
    CView* target = getViewAt(local);
    if (!target)
        return kMouseEventNotHandled;
    // Keep the target alive while it handles the press, whatever the press does to the tree.
    SharedPointer<CView> guard(target);
    const CMouseEventResult result = target->onMouseDown(local, buttons);
    if (result == kMouseEventHandled && target->getParentView() == this)
        mouseDownView = target;
    return result;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    CView* target = std::exchange(mouseDownView, nullptr);
    if (!target)
        return kMouseEventNotHandled;
    SharedPointer<CView> guard(target);
    CPoint local = toLocal(where);
    return target->onMouseUp(local, buttons);
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    CPoint local = toLocal(where);
    // The moves of a press belong to the view that kept it; a press that no view kept has its
    // moves go nowhere. Only moves without a button pass on to the view under the pointer.
    CView* target = mouseDownView;
    if (!target && buttons.getButtonState() == 0)
        target = getViewAt(local);
    if (!target)
        return kMouseEventNotHandled;
    SharedPointer<CView> guard(target);
    return target->onMouseMoved(local, buttons);
}

CMouseEventResult CViewContainer::onMouseCancel()
{
    CView* target = std::exchange(mouseDownView, nullptr);
    if (!target)
        return kMouseEventNotHandled;
    SharedPointer<CView> guard(target);
    return target->onMouseCancel();
}

bool CViewContainer::onWheel(const CPoint& where, float distance, const CButtonState& buttons)
{
    const CPoint local = toLocal(where);
    CView* target = getViewAt(local);
    if (!target)
        return false;
    SharedPointer<CView> guard(target);
    return target->onWheel(local, distance, buttons);
}

void CViewContainer::beforeDelete()
{
    removeAll();
    CView::beforeDelete();
}

} // namespace VSTGUI
