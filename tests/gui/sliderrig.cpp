#include "gui/sliderrig.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

using namespace VSTGUI;

SliderRig::SliderRig(const std::string& elementAttributes)
{
    setPlatformTimerFactory(&clock);
    // ctest runs the tests as parallel processes: each writes a description of its own.
    const std::string path =
        ::testing::TempDir() + "slider-" + std::to_string(::getpid()) + ".uidesc";
    std::ofstream(path) << R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <control-tags>
    <control-tag name="Band" tag="7"/>
  </control-tags>
  <template name="view" class="CViewContainer" size="400, 300">
    <view class="CSlider" control-tag="Band" )"
                        << elementAttributes << R"(/>
  </template>
</vstgui-ui-description>
)";
    description = std::make_unique<UIDescription>(path);
    if (!description->parse())
        throw std::runtime_error("the slider's description does not parse");
    CView* root = description->createView("view", this);
    auto* container = dynamic_cast<CViewContainer*>(root);
    if (!container || container->getNbViews() != 1)
        throw std::runtime_error("the description builds no slider");
    frame = new CFrame(CRect(0, 0, 400, 300));
    frame->addView(root);
    builtSlider = dynamic_cast<CSlider*>(container->getView(0));
    if (!builtSlider)
        throw std::runtime_error("the \"CSlider\" element builds no CSlider");
    redraw();
}

SliderRig::~SliderRig()
{
    frame->forget();
    setPlatformTimerFactory(nullptr);
}

SharedPointer<CSlider> SliderRig::copySlider() const
{
    return SharedPointer<CSlider>::adopt(dynamic_cast<CSlider*>(builtSlider->newCopy()));
}

void SliderRig::destroySlider()
{
    builtSlider->getParentView()->removeView(builtSlider);
    builtSlider = nullptr;
}

void SliderRig::valueChanged(CControl* control)
{
    std::ostringstream text;
    text << "value " << control->getValueNormalized();
    events.push_back(text.str());
}

CMouseEventResult SliderRig::redrawn(CMouseEventResult result)
{
    redraw();
    return result;
}

void SliderRig::redraw()
{
    context.clear();
    frame->draw(&context);
}

CMouseEventResult SliderRig::press(double x, double y, int32_t buttons)
{
    CPoint where(x, y);
    return redrawn(frame->onMouseDown(where, buttons));
}

CMouseEventResult SliderRig::move(double x, double y, int32_t buttons)
{
    CPoint where(x, y);
    return redrawn(frame->onMouseMoved(where, buttons));
}

CMouseEventResult SliderRig::release(double x, double y, int32_t buttons)
{
    CPoint where(x, y);
    return redrawn(frame->onMouseUp(where, buttons));
}

CMouseEventResult SliderRig::cancel()
{
    return redrawn(frame->onMouseCancel());
}

bool SliderRig::wheel(double x, double y, float distance, int32_t buttons)
{
    const bool taken = frame->onWheel(CPoint(x, y), distance, buttons);
    redraw();
    return taken;
}

void SliderRig::tick(int ticks)
{
    for (int i = 0; i < ticks; ++i)
        advanceMs(CSliderBase::rampIntervalMs);
}

void SliderRig::advanceMs(uint64_t milliseconds)
{
    clock.advance(milliseconds);
    redraw();
}

void SliderRig::setValue(float normalized)
{
    builtSlider->setValueNormalized(normalized);
    redraw();
}
