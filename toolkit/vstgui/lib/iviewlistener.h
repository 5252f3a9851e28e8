#pragma once

#include "vstgui/lib/crect.h"

namespace VSTGUI {

class CView;

/** Hears of a view's life. */
class IViewListener
{
public:
    virtual ~IViewListener() = default;
    virtual void viewSizeChanged(CView* view, const CRect& oldSize) = 0;
    virtual void viewAttached(CView* view) = 0;
    virtual void viewRemoved(CView* view) = 0;
    virtual void viewLostFocus(CView* view) = 0;
    virtual void viewTookFocus(CView* view) = 0;
    /** The view is about to be deleted; it is still whole during this call. */
    virtual void viewWillDelete(CView* view) = 0;
};

/** An IViewListener whose handlers do nothing. */
class ViewListenerAdapter : public IViewListener
{
public:
    void viewSizeChanged(CView*, const CRect&) override {}
    void viewAttached(CView*) override {}
    void viewRemoved(CView*) override {}
    void viewLostFocus(CView*) override {}
    void viewTookFocus(CView*) override {}
    void viewWillDelete(CView*) override {}
};

} // namespace VSTGUI
