#pragma once

#include "controller/architecturequery.h"
#include "factory/plugids.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/iviewlistener.h"
#include "vstgui/uidescription/icontroller.h"

#include "base/source/fstring.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

/**
 * The about box: while its on/off button is on, its text label shows the version, the plug-in
 * format and the processor architecture; while it is off, the label is empty. The toolkit owns
 * it and deletes it after the views it serves; it leaves its owner's list when it goes.
 */
template <typename ControllerType>
class PlugAboutController : public VSTGUI::IController, public VSTGUI::ViewListenerAdapter
{
public:
    PlugAboutController(ControllerType* owner, bool isAUWrapper)
        : controller(owner), formatText(isAUWrapper ? "AU" : "VST3"), versionText(QZ_SHORT_VERSION),
          archText(architectureLabel(translationQuery()))
    {
    }

    ~PlugAboutController() override
    {
        releaseLabel();
        releaseButton();
        controller->removeAboutController(this);
    }

    PlugAboutController(const PlugAboutController&) = delete;
    PlugAboutController& operator=(const PlugAboutController&) = delete;

    void valueChanged(VSTGUI::CControl* control) override
    {
        if (!control || control != infoButton)
            return;
        String text;
        // NaN differs from 0 but counts as off.
        const float value = control->getValue();
        if (value != 0.f && !std::isnan(value))
            text.append(versionText).append(", ").append(formatText).append(" ").append(archText);
        text.toMultiByte(kCP_Utf8);
        if (infoLabel)
            infoLabel->setText(VSTGUI::UTF8String(text.text8()));
    }

    VSTGUI::CView* verifyView(VSTGUI::CView* view, const VSTGUI::UIAttributes&,
                              const VSTGUI::IUIDescription*) override
    {
        if (!view)
            return nullptr;
        if (auto* label = dynamic_cast<VSTGUI::CTextLabel*>(view))
        {
            releaseLabel();
            infoLabel = label;
            infoLabel->registerViewListener(this);
            infoLabel->setText(VSTGUI::UTF8String());
        }
        if (auto* button = dynamic_cast<VSTGUI::COnOffButton*>(view))
        {
            releaseButton();
            infoButton = button;
            infoButton->registerControlListener(this);
            // The button is heard as a view too, so that its deletion releases it.
            infoButton->registerViewListener(this);
            valueChanged(infoButton);
        }
        return view;
    }

    void viewWillDelete(VSTGUI::CView* view) override
    {
        if (view && view == infoLabel)
            releaseLabel();
        if (view && view == infoButton)
            releaseButton();
    }

private:
    void releaseLabel()
    {
        if (!infoLabel)
            return;
        infoLabel->unregisterViewListener(this);
        infoLabel = nullptr;
    }

    void releaseButton()
    {
        if (!infoButton)
            return;
        infoButton->unregisterControlListener(this);
        infoButton->unregisterViewListener(this);
        infoButton = nullptr;
    }

    ControllerType* controller;
    VSTGUI::COnOffButton* infoButton = nullptr;
    VSTGUI::CTextLabel* infoLabel = nullptr;
    String formatText;
    String versionText;
    String archText;
};

} // namespace Vst
} // namespace Steinberg
