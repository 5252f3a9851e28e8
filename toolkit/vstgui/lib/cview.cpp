#include "vstgui/lib/cview.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/iviewlistener.h"
#include "vstgui/uidescription/icontroller.h"

#include <algorithm>

namespace VSTGUI {

CView::CView(const CRect& rect) : viewSize(rect) {}

CView::CView(const CView& other) : CBaseObject(other), viewSize(other.viewSize) {}

CView* CView::newCopy() const
{
    return new CView(*this);
}

CView::~CView() = default;

void CView::setViewSize(const CRect& rect, bool invalidate)
{
    if (rect == viewSize)
        return;
    if (invalidate)
        invalid();
    const CRect oldSize = viewSize;
    viewSize = rect;
    if (invalidate)
        invalid();
    forEachViewListener([&](IViewListener* listener) { listener->viewSizeChanged(this, oldSize); });
}

void CView::draw(CDrawContext*) {}

void CView::invalid()
{
    if (parentView)
        parentView->invalidRect(viewSize);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&)
{
    return kMouseEventNotHandled;
}

CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventNotHandled;
}

CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&)
{
    return kMouseEventNotHandled;
}

CMouseEventResult CView::onMouseCancel()
{
    return kMouseEventNotHandled;
}

bool CView::onWheel(const CPoint&, float, const CButtonState&)
{
    return false;
}

CFrame* CView::getFrame() const
{
    const CView* view = this;
    while (view->parentView)
        view = view->parentView;
    return dynamic_cast<CFrame*>(const_cast<CView*>(view));
}

void CView::registerViewListener(IViewListener* listener)
{
    if (std::find(viewListeners.begin(), viewListeners.end(), listener) == viewListeners.end())
        viewListeners.push_back(listener);
}

void CView::unregisterViewListener(IViewListener* listener)
{
    viewListeners.erase(std::remove(viewListeners.begin(), viewListeners.end(), listener),
                        viewListeners.end());
}

void CView::setOwnedController(std::unique_ptr<IController> controller)
{
    ownedController = std::move(controller);
}

void CView::beforeDelete()
{
    forEachViewListener([this](IViewListener* listener) { listener->viewWillDelete(this); });
    viewListeners.clear();
    ownedController.reset();
}

void CView::setParentView(CViewContainer* container)
{
    const bool attached = container != nullptr;
    parentView = container;
    forEachViewListener([&](IViewListener* listener) {
        if (attached)
            listener->viewAttached(this);
        else
            listener->viewRemoved(this);
    });
}

template <typename F> void CView::forEachViewListener(F f)
{
    const auto listeners = viewListeners;
    for (auto* listener : listeners)
    {
        if (std::find(viewListeners.begin(), viewListeners.end(), listener) != viewListeners.end())
            f(listener);
    }
}

} // namespace VSTGUI
