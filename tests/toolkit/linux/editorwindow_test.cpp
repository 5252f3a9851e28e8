// The plug-in's editor in a Linux DAW: a top-level window of the host's, the host's run loop, and
// a user's mouse and keys through the X server.
#include "host/controllerinstance.h"
#include "x11host/hostframe.h"
#include "x11host/hostwindow.h"
#include "host/recordingcomponenthandler.h"
#include "x11host/runloop.h"
#include "x11host/xtestinput.h"

#include "controller/plugcontroller.h"
#include "factory/plugids.h"
#include "gui/cslider.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cparamdisplay.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/platform/linux/cairodrawcontext.h"
#include "vstgui/plugin-bindings/bundleresources.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include "pluginterfaces/gui/iplugview.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;
using namespace std::chrono_literals;
using qz::testhost::RecordingComponentHandler;
using qz::x11host::HostWindow;
using qz::x11host::XTestInput;
using Call = RecordingComponentHandler::Call;

/** A view's rectangle in the editor's window. */
CRect windowRect(const CView* view, CRect rect)
{
    for (const CView* parent = view->getParentView(); parent; parent = parent->getParentView())
        rect.offset(parent->getViewSize().left, parent->getViewSize().top);
    return rect;
}

CPoint centreOf(const CRect& rect)
{
    return {(rect.left + rect.right) / 2., (rect.top + rect.bottom) / 2.};
}

uint32_t rgb(const CColor& color)
{
    return static_cast<uint32_t>(color.red << 16 | color.green << 8 | color.blue);
}

/** A text as the editor's window sets it: its box in the window and the size of its glyphs. */
struct DrawnText
{
    std::string text;
    CRect box;
    double fontSize;
};

/** Draws as the editor's window does, into an image of its own, and notes every text it sets. */
class TextNotingContext : public CairoDrawContext
{
public:
    using CairoDrawContext::CairoDrawContext;
    std::vector<DrawnText> texts;

protected:
    void platformDrawString(const UTF8String& text, const CRect& rect, CHoriTxtAlign align) override
    {
        texts.push_back({text.getString(), rect, getFontSize()});
        CairoDrawContext::platformDrawString(text, rect, align);
    }
};

/** The number a text reads as in full ("+6", "-12"), if it is one. */
std::optional<double> numberIn(const std::string& text)
{
    size_t used = 0;
    try
    {
        const double number = std::stod(text, &used);
        if (used == text.size())
            return number;
    }
    catch (const std::exception&)
    {
    }
    return std::nullopt;
}

/** One editor of one controller, opened in a host window as a Linux DAW opens it. */
class HostedEditor
{
public:
    static constexpr int kMargin = 20;

    explicit HostedEditor(qz::x11host::RunLoop& loop)
        : plugFrame(owned(new qz::x11host::HostFrame(loop)))
    {
        controller = owned(new PlugController);
        controller->initialize(&hostContext);
        handler = owned(new RecordingComponentHandler);
        controller->setComponentHandler(handler);
        view = owned(controller->createView(ViewType::kEditor));
        ViewRect size;
        view->getSize(&size);
        host = std::make_unique<HostWindow>(size.getWidth() + kMargin, size.getHeight() + kMargin);
        view->setFrame(plugFrame);
    }

    ~HostedEditor()
    {
        if (attached)
            view->removed();
        view->setFrame(nullptr);
        view = nullptr;
        controller->terminate();
    }

    tresult attach()
    {
        tresult result = view->attached(host->parentHandle(), kPlatformTypeX11EmbedWindowID);
        attached = result == kResultOk;
        return result;
    }

    tresult remove()
    {
        attached = false;
        return view->removed();
    }

    VST3Editor& editor() const { return dynamic_cast<VST3Editor&>(*view); }

    template <typename View> std::vector<View*> viewsOfType() const
    {
        std::vector<View*> found;
        editor().getFrame()->forEachDescendant([&](CView* candidate) {
            if (auto* typed = dynamic_cast<View*>(candidate))
                found.push_back(typed);
        });
        return found;
    }

    CSlider* slider(int32_t tag) const
    {
        for (auto* candidate : viewsOfType<CSlider>())
        {
            if (candidate->getTag() == tag)
                return candidate;
        }
        return nullptr;
    }

    /** The calls of the host's component handler about one parameter. */
    std::vector<RecordingComponentHandler::Record> editsOf(ParamID id) const
    {
        std::vector<RecordingComponentHandler::Record> edits;
        for (auto& record : handler->records())
        {
            if (record.call != Call::kRestartComponent && record.subject == id)
                edits.push_back(record);
        }
        return edits;
    }

    bool editEnded(ParamID id) const
    {
        auto edits = editsOf(id);
        return !edits.empty() && edits.back().call == Call::kEndEdit;
    }

    HostApplication hostContext;
    IPtr<PlugController> controller;
    IPtr<RecordingComponentHandler> handler;
    IPtr<qz::x11host::HostFrame> plugFrame;
    IPtr<IPlugView> view;
    std::unique_ptr<HostWindow> host;
    bool attached = false;
};

class EditorInLinuxHost : public testing::Test
{
protected:
    IPtr<qz::x11host::RunLoop> loop = owned(new qz::x11host::RunLoop);
    XTestInput input;
    std::unique_ptr<HostedEditor> hosted;

    void SetUp() override
    {
        setModulePath(QZ_MODULE_PATH);
        hosted = std::make_unique<HostedEditor>(*loop);
        ASSERT_EQ(hosted->attach(), kResultOk);
        ASSERT_TRUE(drawn(*hosted));
    }

    void TearDown() override
    {
        hosted.reset();
        EXPECT_EQ(loop->eventHandlerCount(), 0u);
        EXPECT_EQ(loop->timerCount(), 0u);
    }

    /** Waits until the editor's window shows something other than the host's white. */
    bool drawn(const HostedEditor& editor)
    {
        return loop->runUntil([&] { return editor.host->grab().at(2, 2) != 0xffffff; });
    }

    void moveTo(const CPoint& where)
    {
        auto origin = hosted->host->rootOrigin();
        input.moveTo(origin.x + static_cast<int>(std::floor(where.x)),
                     origin.y + static_cast<int>(std::floor(where.y)));
    }

    void click(const CPoint& where)
    {
        moveTo(where);
        input.press(1);
        input.release(1);
    }

    bool runUntilEditEnded(ParamID id)
    {
        return loop->runUntil([&] { return hosted->editEnded(id); });
    }

    /** Moves a parameter as automation does and waits for the slider to follow. */
    void automate(ParamID id, ParamValue value)
    {
        hosted->controller->setParamNormalized(id, value);
        auto* slider = hosted->slider(static_cast<int32_t>(id));
        ASSERT_TRUE(
            loop->runUntil([&] { return std::abs(slider->getValueNormalized() - value) < 1e-6; }));
    }

    /** The handle's rectangle in the window for a slider's value. */
    CRect handleInWindow(const CSlider& slider, float value) const
    {
        return windowRect(&slider, slider.handleRectForValue(value));
    }

    /** Whether the image shows the slider's handle exactly where its value places it. */
    bool handleShown(const qz::x11host::Image& image, const CSlider& slider) const
    {
        const CRect handle = handleInWindow(slider, slider.getValueNormalized());
        const uint32_t handleColour = rgb(slider.getHandleColor());
        for (int y = static_cast<int>(handle.top); y < handle.bottom; ++y)
        {
            for (int x = static_cast<int>(handle.left); x < handle.right; ++x)
            {
                if (image.at(x, y) != handleColour)
                    return false;
            }
        }
        const CRect track = windowRect(&slider, slider.getViewSize());
        const int x = static_cast<int>(centreOf(handle).x);
        const bool above = handle.top - 2 >= track.top &&
                           image.at(x, static_cast<int>(handle.top) - 2) == handleColour;
        const bool below = handle.bottom + 1 < track.bottom &&
                           image.at(x, static_cast<int>(handle.bottom) + 1) == handleColour;
        return !above && !below;
    }

    /** Pixels of handle travel per unit of normalised value. */
    double travel(const CSlider& slider) const
    {
        return std::abs(slider.handleRectForValue(0.f).top - slider.handleRectForValue(1.f).top);
    }

    /** The texts of the whole editor, drawn as its window draws them. */
    std::vector<DrawnText> drawnTexts() const
    {
        const CRect size = hosted->editor().getFrame()->getViewSize();
        cairo_surface_t* surface =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(size.getWidth()),
                                       static_cast<int>(size.getHeight()));
        cairo_t* cairo = cairo_create(surface);
        TextNotingContext context(cairo);
        hosted->editor().getFrame()->draw(&context);
        cairo_destroy(cairo);
        cairo_surface_destroy(surface);
        return context.texts;
    }

    /** By the number they read as, the texts between fromX and toX within a slider's height. */
    std::map<double, CRect> scaleMarks(const std::vector<DrawnText>& texts, double fromX,
                                       double toX, const CSlider& slider) const
    {
        const CRect track = windowRect(&slider, slider.getViewSize());
        std::map<double, CRect> marks;
        for (auto& drawn : texts)
        {
            const auto number = numberIn(drawn.text);
            if (number && drawn.box.left >= fromX && drawn.box.right <= toX &&
                drawn.box.top >= track.top && drawn.box.bottom <= track.bottom)
                marks[*number] = drawn.box;
        }
        return marks;
    }
};

TEST_F(EditorInLinuxHost, TheEditorIsAFixedSizeX11ChildOfTheHostsWindow)
{
    auto& view = *hosted->view;
    EXPECT_EQ(view.isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
    EXPECT_EQ(view.isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
    EXPECT_EQ(view.isPlatformTypeSupported(kPlatformTypeNSView), kResultFalse);
    EXPECT_EQ(view.canResize(), kResultFalse);

    ViewRect size;
    ASSERT_EQ(view.getSize(&size), kResultOk);
    EXPECT_LE(size.getWidth(), 1280) << "fits a 1280 x 720 screen";
    EXPECT_LE(size.getHeight(), 720);
    auto children = hosted->host->children();
    ASSERT_EQ(children.size(), 1u);
    auto geometry = hosted->host->childGeometry(children[0]);
    EXPECT_EQ(geometry.width, size.getWidth());
    EXPECT_EQ(geometry.height, size.getHeight());
    EXPECT_TRUE(geometry.mapped);
    EXPECT_EQ(hosted->host->property(children[0], "_XEMBED_INFO"), (std::vector<uint32_t>{0, 1}));

    ViewRect larger(0, 0, size.getWidth() + 100, size.getHeight() + 50);
    EXPECT_EQ(view.onSize(&larger), kResultFalse);
    ViewRect asked = larger;
    EXPECT_EQ(view.checkSizeConstraint(&asked), kResultTrue);
    EXPECT_EQ(asked.getWidth(), size.getWidth());
    EXPECT_EQ(asked.getHeight(), size.getHeight());
    ViewRect after;
    view.getSize(&after);
    EXPECT_EQ(after.getWidth(), size.getWidth());
    loop->runFor(50ms);
    EXPECT_EQ(hosted->host->childGeometry(children[0]).width, size.getWidth());
    EXPECT_EQ(hosted->plugFrame->resizeRequests(), 0);
}

TEST_F(EditorInLinuxHost, APressOffABandsHandleJumpsTheBandThereAsOneEdit)
{
    const ParamID band = 10;
    auto* slider = hosted->slider(band);
    ASSERT_NE(slider, nullptr);
    const CRect handle = handleInWindow(*slider, slider->getValueNormalized());
    const CPoint press(centreOf(handle).x, handle.top - 40);

    click(press);
    ASSERT_TRUE(runUntilEditEnded(band));
    auto edits = hosted->editsOf(band);
    ASSERT_EQ(edits.size(), 3u);
    EXPECT_EQ(edits[0].call, Call::kBeginEdit);
    EXPECT_EQ(edits[1].call, Call::kPerformEdit);
    EXPECT_EQ(edits[2].call, Call::kEndEdit);
    const ParamValue value = hosted->controller->getParamNormalized(band);
    EXPECT_EQ(edits[1].value, value);
    EXPECT_GT(value, 0.5);
    // The handle's centre lands one pixel below the press, to the whole pixel.
    EXPECT_NEAR(centreOf(handleInWindow(*slider, static_cast<float>(value))).y, press.y + 1, 1.);
}

TEST_F(EditorInLinuxHost, AnAltPressResetsABandTo0dB)
{
    const ParamID band = 4;
    automate(band, 0.8);
    hosted->handler->clear();
    auto* slider = hosted->slider(band);
    const CRect track = windowRect(slider, slider->getViewSize());

    input.keyDown(XTestInput::Key::alt);
    click(CPoint(centreOf(track).x, track.bottom - 5));
    input.keyUp(XTestInput::Key::alt);
    ASSERT_TRUE(runUntilEditEnded(band));
    EXPECT_EQ(hosted->controller->getParamNormalized(band), 0.5);
    auto edits = hosted->editsOf(band);
    ASSERT_EQ(edits.size(), 3u);
    EXPECT_EQ(edits[1].call, Call::kPerformEdit);
    EXPECT_EQ(edits[1].value, 0.5);
}

TEST_F(EditorInLinuxHost, AShiftDragMovesABandATenthAsFarAsThePointer)
{
    const ParamID band = 12;
    auto* slider = hosted->slider(band);
    const double before = hosted->controller->getParamNormalized(band);
    const CPoint start = centreOf(handleInWindow(*slider, static_cast<float>(before)));

    moveTo(start);
    input.keyDown(XTestInput::Key::shift);
    input.press(1);
    for (int step = 1; step <= 5; ++step)
    {
        moveTo(CPoint(start.x, start.y - 10 * step));
        loop->runFor(5ms);
    }
    input.release(1);
    input.keyUp(XTestInput::Key::shift);
    ASSERT_TRUE(runUntilEditEnded(band));

    const double moved = hosted->controller->getParamNormalized(band) - before;
    const double pixel = 1. / travel(*slider);
    EXPECT_NEAR(moved, 50. * pixel / 10., pixel) << "50 pixels up, a tenth of it";
}

TEST_F(EditorInLinuxHost, EachOfSixtyMovesOfADragIsHandledAndDrawnWhereThePointerIs)
{
    const ParamID band = 15;
    auto* slider = hosted->slider(band);
    const CPoint start = centreOf(handleInWindow(*slider, slider->getValueNormalized()));
    moveTo(start);
    input.press(1);
    ASSERT_TRUE(loop->runUntil([&] { return !hosted->editsOf(band).empty(); }));
    CPoint pointer = start;
    for (int move = 1; move <= 60; ++move)
    {
        pointer.y = std::floor(start.y + 60. * std::sin(move / 10.));
        moveTo(pointer);
        ASSERT_TRUE(loop->runUntil([&] {
            const double handleY =
                centreOf(handleInWindow(*slider, slider->getValueNormalized())).y;
            return std::abs(handleY - pointer.y) <= 1. &&
                   handleShown(hosted->host->grab(), *slider);
        })) << "move "
            << move << ": the handle follows the pointer and the window shows it there";
    }
    input.release(1);
    EXPECT_TRUE(runUntilEditEnded(band));
}

TEST_F(EditorInLinuxHost, WheelTurnsEditABandAsOneEditThatEndsWhenTheWheelRests)
{
    const ParamID band = 8;
    auto* slider = hosted->slider(band);
    const size_t restingTimers = loop->timerCount();
    moveTo(centreOf(windowRect(slider, slider->getViewSize())));
    for (int notch = 0; notch < 3; ++notch)
    {
        input.press(4);
        input.release(4);
    }
    input.keyDown(XTestInput::Key::shift);
    input.press(5);
    input.release(5);
    input.keyUp(XTestInput::Key::shift);
    ASSERT_TRUE(runUntilEditEnded(band)) << "the wheel's edit timer ends the edit on its own";
    auto edits = hosted->editsOf(band);
    ASSERT_EQ(edits.size(), 6u);
    EXPECT_EQ(edits.front().call, Call::kBeginEdit);
    EXPECT_EQ(edits.back().call, Call::kEndEdit);
    EXPECT_NEAR(hosted->controller->getParamNormalized(band), 0.5 + 3 * 0.1 - 0.01, 1e-6)
        << "three notches up, a tenth of one down with Shift";
    EXPECT_EQ(loop->timerCount(), restingTimers) << "the wheel's timer ended in its own tick";
}

TEST_F(EditorInLinuxHost, ARampThatReachesThePointerEndsItsTimerInItsOwnTick)
{
    auto* slider = hosted->slider(25);
    slider->setSliderMode(kRamp);
    const size_t restingTimers = loop->timerCount();
    const CRect track = windowRect(slider, slider->getViewSize());
    const CPoint target(centreOf(track).x, track.top + 60);
    moveTo(target);
    input.press(1);
    ASSERT_TRUE(loop->runUntil([&] { return loop->timerCount() > restingTimers; }));
    ASSERT_TRUE(loop->runUntil([&] { return loop->timerCount() == restingTimers; }))
        << "the ramp's timer is gone once the ramp arrives";
    EXPECT_NEAR(centreOf(handleInWindow(*slider, slider->getValueNormalized())).y, target.y + 1, 1.)
        << "the ramp ends with the handle's centre at the pointer";
    input.release(1);
    EXPECT_TRUE(runUntilEditEnded(25));
}

TEST_F(EditorInLinuxHost, TheBypassButtonTogglesBypass)
{
    const ParamID bypass = 32;
    COnOffButton* button = nullptr;
    for (auto* candidate : hosted->viewsOfType<COnOffButton>())
    {
        if (candidate->getTag() == static_cast<int32_t>(bypass))
            button = candidate;
    }
    ASSERT_NE(button, nullptr);
    const CPoint centre = centreOf(windowRect(button, button->getViewSize()));

    click(centre);
    ASSERT_TRUE(runUntilEditEnded(bypass));
    EXPECT_EQ(hosted->controller->getParamNormalized(bypass), 1.);
    hosted->handler->clear();
    click(centre);
    ASSERT_TRUE(runUntilEditEnded(bypass));
    EXPECT_EQ(hosted->controller->getParamNormalized(bypass), 0.);
}

TEST_F(EditorInLinuxHost, TheAboutButtonShowsVersionFormatAndArchitecture)
{
    COnOffButton* button = nullptr;
    for (auto* candidate : hosted->viewsOfType<COnOffButton>())
    {
        if (candidate->getTag() < 0)
            button = candidate;
    }
    ASSERT_NE(button, nullptr);
    CTextLabel* label = nullptr;
    for (auto* candidate : hosted->viewsOfType<CTextLabel>())
    {
        if (candidate->getParentView() == button->getParentView())
            label = candidate;
    }
    ASSERT_NE(label, nullptr);
    const CRect labelRect = windowRect(label, label->getViewSize());
    auto inkIn = [&](const qz::x11host::Image& image) {
        std::set<uint32_t> colours;
        for (int y = static_cast<int>(labelRect.top); y < labelRect.bottom; ++y)
        {
            for (int x = static_cast<int>(labelRect.left); x < labelRect.right; ++x)
                colours.insert(image.at(x, y));
        }
        return colours.size();
    };
    const auto blank = inkIn(hosted->host->grab());

    click(centreOf(windowRect(button, button->getViewSize())));
    ASSERT_TRUE(loop->runUntil([&] { return !label->getText().empty(); }));
    EXPECT_EQ(label->getText().getString(), "2.1.0, VST3 unknown");
    EXPECT_TRUE(loop->runUntil([&] { return inkIn(hosted->host->grab()) > blank + 2; }))
        << "the text is on screen";

    click(centreOf(windowRect(button, button->getViewSize())));
    ASSERT_TRUE(loop->runUntil([&] { return label->getText().empty(); }));
}

TEST_F(EditorInLinuxHost, EverySlidersHandleIsDrawnWhereHandleRectForValuePlacesIt)
{
    for (ParamID band = 1; band <= 31; ++band)
        automate(band, (band - 1) / 30.);
    automate(0, 0.3);
    const auto sliders = hosted->viewsOfType<CSlider>();
    qz::x11host::Image image;
    loop->runUntil([&] {
        image = hosted->host->grab();
        return std::all_of(sliders.begin(), sliders.end(),
                           [&](const CSlider* slider) { return handleShown(image, *slider); });
    });
    for (auto* slider : sliders)
        EXPECT_TRUE(handleShown(image, *slider)) << "slider " << slider->getTag();
}

TEST_F(EditorInLinuxHost, EveryTextIsSetAtALegibleSizeInABoxOfItsOwn)
{
    // The widest value texts ("-12.00", "-36.00") and the about line, drawn as well.
    for (ParamID id = 0; id <= 31; ++id)
        hosted->controller->setParamNormalized(id, 0.);
    for (auto* button : hosted->viewsOfType<COnOffButton>())
    {
        if (button->getTag() < 0)
            click(centreOf(windowRect(button, button->getViewSize())));
    }
    auto widestShown = [&] {
        for (auto* display : hosted->viewsOfType<CParamDisplay>())
        {
            const std::string text = display->getDisplayText();
            if (text.empty() || (!dynamic_cast<CTextLabel*>(display) && text[0] != '-'))
                return false;
        }
        return true;
    };
    ASSERT_TRUE(loop->runUntil(widestShown));

    const auto texts = drawnTexts();
    ASSERT_GT(texts.size(), 2u * 31u) << "a label and a value for each band, and more";
    for (size_t i = 0; i < texts.size(); ++i)
    {
        EXPECT_GE(texts[i].fontSize, 9.) << "\"" << texts[i].text << "\" set too small";
        for (size_t j = i + 1; j < texts.size(); ++j)
        {
            EXPECT_FALSE(texts[i].box.rectOverlap(texts[j].box))
                << "\"" << texts[i].text << "\" and \"" << texts[j].text << "\" share pixels";
        }
    }
}

TEST_F(EditorInLinuxHost, BandLabelsNameTheBandsInOneRowAtOneSizeUnderOneUnit)
{
    const auto texts = drawnTexts();
    // The text nearest above or below a slider whose middle lies within the slider's width.
    auto textBeside = [&](const CSlider& slider, bool above) -> const DrawnText* {
        const CRect track = windowRect(&slider, slider.getViewSize());
        const DrawnText* nearest = nullptr;
        for (auto& drawn : texts)
        {
            const double middle = centreOf(drawn.box).x;
            const bool onSide =
                above ? drawn.box.bottom <= track.top : drawn.box.top >= track.bottom;
            if (middle < track.left || middle >= track.right || !onSide)
                continue;
            if (!nearest ||
                (above ? drawn.box.top > nearest->box.top : drawn.box.top < nearest->box.top))
                nearest = &drawn;
        }
        return nearest;
    };

    const DrawnText* first = textBeside(*hosted->slider(1), true);
    ASSERT_NE(first, nullptr);
    double previousLeft = -1.;
    for (ParamID band = 1; band <= 31; ++band)
    {
        const DrawnText* label = textBeside(*hosted->slider(static_cast<int32_t>(band)), true);
        ASSERT_NE(label, nullptr) << "band " << band;
        ParameterInfo info{};
        ASSERT_EQ(hosted->controller->getParameterInfo(static_cast<int32>(band), info), kResultOk);
        std::string title;
        for (const TChar* c = info.title; *c; ++c)
            title += static_cast<char>(*c);
        EXPECT_EQ(title.rfind(label->text, 0), 0u) << "\"" << label->text << "\" names " << title;
        EXPECT_EQ(label->fontSize, first->fontSize) << title;
        EXPECT_EQ(label->box.top, first->box.top) << title << " in the row of the others";
        EXPECT_GT(label->box.left, previousLeft) << title;
        previousLeft = label->box.left;
    }

    // The units are stated once, at the start of the labels' row and of the values' row.
    const DrawnText* value = textBeside(*hosted->slider(1), false);
    ASSERT_NE(value, nullptr);
    auto textBefore = [&](const DrawnText& row) {
        std::string nearest = "nothing";
        double nearestRight = -1.;
        for (auto& drawn : texts)
        {
            if (drawn.box.right <= row.box.left && drawn.box.right > nearestRight &&
                drawn.box.top < row.box.bottom && row.box.top < drawn.box.bottom)
            {
                nearest = drawn.text;
                nearestRight = drawn.box.right;
            }
        }
        return nearest;
    };
    EXPECT_EQ(textBefore(*first), "Hz");
    EXPECT_EQ(textBefore(*value), "dB");
}

TEST_F(EditorInLinuxHost, TheGainScalesMarkTheHandlesCentreAndA0dBLineCrossesEveryBand)
{
    const auto texts = drawnTexts();
    const CSlider& lowest = *hosted->slider(1);
    const CSlider& highest = *hosted->slider(31);
    const CSlider& level = *hosted->slider(0);
    const double lowestLeft = windowRect(&lowest, lowest.getViewSize()).left;
    const double highestRight = windowRect(&highest, highest.getViewSize()).right;
    const double levelLeft = windowRect(&level, level.getViewSize()).left;

    const auto bandMarks = scaleMarks(texts, 0., lowestLeft, lowest);
    for (double gain : {12., 6., 0., -6., -12.})
        EXPECT_EQ(bandMarks.count(gain), 1u) << gain << " dB is marked on the bands' scale";
    for (auto& [gain, box] : bandMarks)
    {
        const auto value = static_cast<float>((gain + 12.) / 24.);
        EXPECT_NEAR(centreOf(box).y, centreOf(handleInWindow(lowest, value)).y, 0.5)
            << gain << " dB";
    }
    const auto levelMarks = scaleMarks(texts, highestRight, levelLeft, level);
    for (double gain : {12., 0., -12., -24., -36.})
        EXPECT_EQ(levelMarks.count(gain), 1u) << gain << " dB is marked on the level's scale";
    for (auto& [gain, box] : levelMarks)
    {
        const auto value = static_cast<float>((gain + 36.) / 48.);
        EXPECT_NEAR(centreOf(box).y, centreOf(handleInWindow(level, value)).y, 0.5)
            << gain << " dB";
    }

    // Between every two bands, the row through the handles' centres at 0 dB stands out from the
    // panel just above and below it.
    const int row = static_cast<int>(centreOf(handleInWindow(lowest, 0.5f)).y);
    std::vector<int> gaps;
    for (int32_t band = 1; band < 31; ++band)
    {
        const CSlider& left = *hosted->slider(band);
        const CSlider& right = *hosted->slider(band + 1);
        gaps.push_back(static_cast<int>((windowRect(&left, left.getViewSize()).right +
                                         windowRect(&right, right.getViewSize()).left) /
                                        2.));
    }
    auto lineInEveryGap = [&] {
        const auto image = hosted->host->grab();
        return std::all_of(gaps.begin(), gaps.end(), [&](int x) {
            return image.at(x, row) != image.at(x, row - 3) &&
                   image.at(x, row - 3) == image.at(x, row + 3);
        });
    };
    EXPECT_TRUE(loop->runUntil(lineInEveryGap));
}

TEST_F(EditorInLinuxHost, ClosingTheEditorDuringARampStopsTheRampAndLeavesNothingRegistered)
{
    auto* slider = hosted->slider(20);
    slider->setSliderMode(kRamp);
    const CRect track = windowRect(slider, slider->getViewSize());
    moveTo(CPoint(centreOf(track).x, track.top + 2));
    input.press(1);
    ASSERT_TRUE(loop->runUntil([&] { return slider->getValueNormalized() > 0.52f; }))
        << "the ramp ticks";
    EXPECT_EQ(hosted->remove(), kResultOk);
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    EXPECT_EQ(loop->timerCount(), 0u);
    input.release(1);
    loop->runFor(50ms);
    EXPECT_TRUE(loop->runUntil([&] { return hosted->host->children().empty(); }));
}

TEST_F(EditorInLinuxHost, AHostThatDestroysItsWindowBeforeRemovingTheEditorCrashesNothing)
{
    hosted->host.reset();
    hosted->controller->setParamNormalized(9, 0.2);
    loop->runFor(100ms);
    EXPECT_EQ(hosted->remove(), kResultOk);
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    EXPECT_EQ(loop->timerCount(), 0u);
}

TEST_F(EditorInLinuxHost, OneViewAttachedAndRemovedAgainAndAgainWorksEachTime)
{
    for (int cycle = 0; cycle < 10; ++cycle)
    {
        ASSERT_EQ(hosted->remove(), kResultOk);
        ASSERT_EQ(loop->timerCount(), 0u);
        ASSERT_EQ(hosted->attach(), kResultOk);
    }
    ASSERT_TRUE(drawn(*hosted));
    click(centreOf(windowRect(hosted->slider(7), hosted->slider(7)->getViewSize())));
    EXPECT_TRUE(runUntilEditEnded(7));
}

TEST_F(EditorInLinuxHost, TwoEditorsRunSideBySideAndOneOutlivesTheOther)
{
    HostedEditor second(*loop);
    ASSERT_EQ(second.attach(), kResultOk);
    ASSERT_TRUE(drawn(second));
    hosted.reset();

    second.controller->setParamNormalized(3, 0.9);
    auto* slider = second.slider(3);
    EXPECT_TRUE(loop->runUntil([&] { return slider->getValueNormalized() > 0.89f; }))
        << "the remaining editor's idle timer still runs";
    const CRect handle = windowRect(slider, slider->handleRectForValue(0.9f));
    EXPECT_TRUE(loop->runUntil([&] {
        return second.host->grab().at(static_cast<int>(centreOf(handle).x),
                                      static_cast<int>(centreOf(handle).y)) ==
               rgb(slider->getHandleColor());
    }));
}

TEST_F(EditorInLinuxHost, WithoutTheHostsRunLoopParentOrDisplayNoEditorOpens)
{
    HostedEditor other(*loop);
    other.view->setFrame(nullptr);
    EXPECT_EQ(other.attach(), kResultFalse);
    other.view->setFrame(other.plugFrame);
    EXPECT_EQ(other.view->attached(nullptr, kPlatformTypeX11EmbedWindowID), kResultFalse);
    const auto missing = reinterpret_cast<void*>(uintptr_t{0x7ffffff});
    EXPECT_EQ(other.view->attached(missing, kPlatformTypeX11EmbedWindowID), kResultFalse);
    EXPECT_EQ(other.view->attached(other.host->parentHandle(), kPlatformTypeHWND), kResultFalse);
    const std::string display = std::getenv("DISPLAY");
    unsetenv("DISPLAY");
    EXPECT_EQ(other.attach(), kResultFalse) << "no X server to open the window on";
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_TRUE(other.host->children().empty());
    EXPECT_EQ(loop->eventHandlerCount(), 1u) << "only the first editor's";
}

TEST(EditorOpenedAndClosed, AHundredTimesLeavesNoWindowHandlerOrTimerBehind)
{
    setModulePath(QZ_MODULE_PATH);
    // This host keeps what it is given registered alive, as some hosts do.
    IPtr<qz::x11host::RunLoop> loop =
        owned(new qz::x11host::RunLoop(qz::x11host::RunLoop::HandlerReferences::held));
    HostedEditor hosted(*loop);
    for (int cycle = 0; cycle < 100; ++cycle)
    {
        hosted.view->setFrame(nullptr);
        hosted.view = owned(hosted.controller->createView(ViewType::kEditor));
        hosted.view->setFrame(hosted.plugFrame);
        ASSERT_EQ(hosted.attach(), kResultOk);
        loop->runFor(3ms);
        ASSERT_EQ(hosted.remove(), kResultOk);
        ASSERT_EQ(loop->eventHandlerCount(), 0u);
        ASSERT_EQ(loop->timerCount(), 0u);
    }
    EXPECT_TRUE(loop->runUntil([&] { return hosted.host->children().empty(); }));
}

TEST(EditorOfTheLoadedModule, OpensInTheHostsWindowFromTheBundlesResourcesAndCloses)
{
    qz::testhost::PluginModule module(qz::testhost::builtModulePath());
    qz::testhost::ControllerInstance instance(module, PlugControllerUID.toTUID());
    ASSERT_EQ(instance.initialize(), kResultOk);
    IPtr<IPlugView> view = owned(instance.controller()->createView(ViewType::kEditor));
    ASSERT_TRUE(view);
    ViewRect size;
    view->getSize(&size);
    HostWindow host(size.getWidth(), size.getHeight());
    IPtr<qz::x11host::RunLoop> loop = owned(new qz::x11host::RunLoop);
    IPtr<qz::x11host::HostFrame> plugFrame = owned(new qz::x11host::HostFrame(*loop));
    view->setFrame(plugFrame);
    ASSERT_EQ(view->attached(host.parentHandle(), kPlatformTypeX11EmbedWindowID), kResultOk);
    EXPECT_TRUE(loop->runUntil([&] { return host.grab().at(2, 2) != 0xffffff; }));
    EXPECT_EQ(view->removed(), kResultOk);
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    EXPECT_EQ(loop->timerCount(), 0u);
    view->setFrame(nullptr);
}

} // namespace
