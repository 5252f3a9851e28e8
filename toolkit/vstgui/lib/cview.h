#pragma once

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/cmouseeventresult.h"
#include "vstgui/lib/crect.h"
#include "vstgui/lib/vstguibase.h"

#include <memory>
#include <vector>

namespace VSTGUI {

class CDrawContext;
class CFrame;
class CViewContainer;
class IController;
class IViewListener;

/**
 * A rectangle of the editor that draws itself and takes mouse events. Its rectangle and the mouse
 * points it receives are in its parent's coordinates. Views are reference counted; a container
 * owns one reference to each of its children.
 */
class CView : public CBaseObject
{
public:
    explicit CView(const CRect& size);
    /** A copy has the source's rectangle and stands alone: no parent, no listeners. */
    CView(const CView& other);

    /**
     * A new view like this one, whose single reference the caller owns, or null for a view that
     * cannot be copied.
     */
    virtual CView* newCopy() const;

    const CRect& getViewSize() const { return viewSize; }
    /** Stores the rectangle (nothing happens when it is unchanged) and redraws when asked to. */
    virtual void setViewSize(const CRect& rect, bool invalid = true);

    virtual void draw(CDrawContext* context);
    /** Asks for the view's rectangle to be redrawn. */
    virtual void invalid();

    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseCancel();
    /** A wheel turn over the view; distance is in notches, positive away from the user. */
    virtual bool onWheel(const CPoint& where, float distance, const CButtonState& buttons);

    CViewContainer* getParentView() const { return parentView; }
    /** The frame at the root of the view's tree, or null while the view is not in one. */
    CFrame* getFrame() const;

    void registerViewListener(IViewListener* listener);
    void unregisterViewListener(IViewListener* listener);

    /** Hands the view the sub-controller that serves it; it is deleted after the view's children.
     */
    void setOwnedController(std::unique_ptr<IController> controller);

protected:
    ~CView() override;
    void beforeDelete() override;

private:
    friend class CViewContainer;
    /** Called by the container that adds or removes the view. */
    void setParentView(CViewContainer* container);
    /** Calls f on each listener, also when listeners unregister during the calls. */
    template <typename F> void forEachViewListener(F f);

    CRect viewSize;
    CViewContainer* parentView = nullptr;
    std::vector<IViewListener*> viewListeners;
    std::unique_ptr<IController> ownedController;
};

} // namespace VSTGUI
