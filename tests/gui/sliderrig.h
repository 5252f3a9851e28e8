#pragma once

#include "gui/cslider.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/manualtimerclock.h"
#include "vstgui/lib/platform/recordingdrawcontext.h"
#include "vstgui/uidescription/icontroller.h"
#include "vstgui/uidescription/uidescription.h"

#include <memory>
#include <string>
#include <vector>

/**
 * One slider built by the real UI-description loader from a "CSlider" element, inside a frame
 * that a window would feed: mouse events go through the frame's dispatch, the timers run on a
 * clock advanced by hand, and the frame is redrawn after every event and tick as a window would.
 * The slider's control tag is served by a controller that logs the edits it hears of.
 */
class SliderRig : public VSTGUI::IController
{
public:
    /** The element of the worked examples: view 100, 40 to 300, 50, handle 20 x 10, offset 5, 0. */
    static constexpr const char* exampleElement =
        R"(origin="100, 40" size="200, 10" handle-size="20, 10" handle-offset="5, 0")";

    /** Builds the slider from a "CSlider" element with these attributes (besides its class). */
    explicit SliderRig(const std::string& elementAttributes = exampleElement);
    ~SliderRig() override;

    VSTGUI::CSlider& slider() const { return *builtSlider; }
    /** A copy of the slider through the toolkit's duplication, or null when it is no CSlider. */
    VSTGUI::SharedPointer<VSTGUI::CSlider> copySlider() const;
    /** Takes the slider out of its container, which holds its last reference. */
    void destroySlider();

    VSTGUI::CMouseEventResult press(double x, double y, int32_t buttons = VSTGUI::kLButton);
    VSTGUI::CMouseEventResult move(double x, double y, int32_t buttons = VSTGUI::kLButton);
    VSTGUI::CMouseEventResult release(double x, double y, int32_t buttons = VSTGUI::kLButton);
    VSTGUI::CMouseEventResult cancel();
    bool wheel(double x, double y, float distance, int32_t buttons = 0);
    /** Moves the clock on by ticks ramp periods. */
    void tick(int ticks = 1);
    void advanceMs(uint64_t milliseconds);
    size_t runningTimers() const { return clock.runningTimers(); }

    /** Sets the value as the parameter would, and redraws. */
    void setValue(float normalized);
    float value() const { return builtSlider->getValueNormalized(); }

    /** What the controller heard, in order: "begin", "value <normalised>", "end". */
    std::vector<std::string> events;
    /** What the last redraw drew. */
    const VSTGUI::RecordingDrawContext& drawing() const { return context; }

    void valueChanged(VSTGUI::CControl* control) override;
    void controlBeginEdit(VSTGUI::CControl*) override { events.push_back("begin"); }
    void controlEndEdit(VSTGUI::CControl*) override { events.push_back("end"); }

private:
    VSTGUI::CMouseEventResult redrawn(VSTGUI::CMouseEventResult result);
    void redraw();

    VSTGUI::ManualTimerClock clock;
    std::unique_ptr<VSTGUI::UIDescription> description;
    VSTGUI::CFrame* frame = nullptr;
    VSTGUI::CSlider* builtSlider = nullptr;
    VSTGUI::RecordingDrawContext context;
};

/** A slider's value on the example slider when the handle's leading edge is at pixel n of 170. */
inline float valueAtPixel(double n)
{
    return static_cast<float>(n) / 170.f;
}
