#pragma once

#include "vstgui/lib/cpoint.h"
#include "vstgui/lib/vstguibase.h"

#include "pluginterfaces/vst/vsttypes.h"

namespace VSTGUI {

class COptionMenu;
class CView;
class IController;
class IUIDescription;
class UIAttributes;
class VST3Editor;

/** What a VST3Editor asks of its edit controller. The defaults change nothing. */
class VST3EditorDelegate
{
public:
    virtual ~VST3EditorDelegate() = default;

    /** A view of the controller's own for an element with a "custom-view-name", or null. */
    virtual CView* createCustomView(UTF8StringPtr name, const UIAttributes& attributes,
                                    const IUIDescription* description, VST3Editor* editor)
    {
        return nullptr;
    }
    /** Sees every view the editor serves once it is built; returns the view to use. */
    virtual CView* verifyView(CView* view, const UIAttributes& attributes,
                              const IUIDescription* description, VST3Editor* editor)
    {
        return view;
    }
    /** The parameter under a point of the editor, for the host's context menu. */
    virtual bool findParameter(const CPoint& pos, Steinberg::Vst::ParamID& resultTag,
                               VST3Editor* editor)
    {
        return false;
    }
    /** A tag that the editor must not bind to a parameter. */
    virtual bool isPrivateParameter(const Steinberg::Vst::ParamID paramID) { return false; }
    virtual void didOpen(VST3Editor* editor) {}
    virtual void willClose(VST3Editor* editor) {}
    virtual COptionMenu* createContextMenu(const CPoint& pos, VST3Editor* editor)
    {
        return nullptr;
    }
    /** A sub-controller for a name, owned by the editor's views from then on, or null. */
    virtual IController* createSubController(UTF8StringPtr name, const IUIDescription* description,
                                             VST3Editor* editor)
    {
        return nullptr;
    }
};

} // namespace VSTGUI
