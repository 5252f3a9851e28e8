#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cview.h"

namespace VSTGUI {

/**
 * A view holding child views, whose rectangles are relative to the container's top-left corner.
 * It passes mouse events on: a press goes to the topmost child under it, and that press's moves
 * and release go to the same child until the release, unless the child answered the press with
 * kMouseDownEventHandledButDontNeedMovedOrUpEvents. Moves without a button go to the child under
 * the pointer. A cancel abandons the press.
 */
class CViewContainer : public CView
{
public:
    explicit CViewContainer(const CRect& size);
    CViewContainer(const CViewContainer&) = delete;

    /** Null: a container is not duplicated, since its children would have to be. */
    CView* newCopy() const override { return nullptr; }

    /** Takes over the caller's reference to the view. */
    bool addView(CView* view);
    /** Takes the view out; its reference is given up when withForget is true. */
    bool removeView(CView* view, bool withForget = true);
    void removeAll();

    size_t getNbViews() const { return children.size(); }
    CView* getView(size_t index) const;
    /** The topmost child whose rectangle holds the point, given in the container's own system. */
    CView* getViewAt(const CPoint& localWhere) const;

    void setBackgroundColor(const CColor& color);
    const CColor& getBackgroundColor() const { return backgroundColor; }

    /** Calls f on every view below this container, parents before their children. */
    template <typename F> void forEachDescendant(F f) const
    {
        for (auto* child : children)
        {
            f(child);
            if (auto* container = dynamic_cast<CViewContainer*>(child))
                container->forEachDescendant(f);
        }
    }

    /** A rectangle of the container's own system needs redrawing. */
    virtual void invalidRect(const CRect& localRect);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, float distance, const CButtonState& buttons) override;

protected:
    void beforeDelete() override;

private:
    CPoint toLocal(const CPoint& where) const;

    std::vector<CView*> children;
    CView* mouseDownView = nullptr;
    CColor backgroundColor = kTransparentCColor;
};

} // namespace VSTGUI
