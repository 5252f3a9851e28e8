#include "host/controllerinstance.h"
#include "host/recordingcomponenthandler.h"

#include "controller/plugaboutcontroller.h"
#include "controller/plugcontroller.h"
#include "factory/plugids.h"
#include "gui/csliderbase.h"
#include "processor/paramstate.h"

#include "vstgui/lib/controls/cparamdisplay.h"
#include "vstgui/lib/platform/manualtimerclock.h"
#include "vstgui/lib/platform/windowlessfactory.h"
#include "vstgui/plugin-bindings/bundleresources.h"
#include "vstgui/plugin-bindings/vst3editor.h"
#include "vstgui/uidescription/uiattributes.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <map>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;
using qz::testhost::RecordingComponentHandler;
using Call = RecordingComponentHandler::Call;

namespace {

// Stands in for the host's window handle: these editors open windowless.
int fakeParentWindow = 0;

/** The frame rectangle of a view: its rectangle moved by the origins of its containers. */
CRect frameRect(const CView* view)
{
    CRect rect = view->getViewSize();
    for (const CView* parent = view->getParentView(); parent; parent = parent->getParentView())
        rect.offset(parent->getViewSize().left, parent->getViewSize().top);
    return rect;
}

/** The controls bound to parameters, by tag. */
std::map<int32_t, std::vector<CControl*>> boundControls(VST3Editor& editor)
{
    std::map<int32_t, std::vector<CControl*>> controls;
    editor.getFrame()->forEachDescendant([&](CView* view) {
        auto* control = dynamic_cast<CControl*>(view);
        if (control && control->getListener() == &editor && control->getTag() >= 0)
            controls[control->getTag()].push_back(control);
    });
    return controls;
}

/** The first bound control of the tag that is a T, or null. */
template <typename T> T* boundControl(VST3Editor& editor, int32_t tag)
{
    const auto controls = boundControls(editor);
    const auto found = controls.find(tag);
    if (found == controls.end())
        return nullptr;
    for (auto* control : found->second)
    {
        if (auto* typed = dynamic_cast<T*>(control))
            return typed;
    }
    return nullptr;
}

/** The middle of the slider's second pixel row in frame coordinates; off the frame without one. */
CPoint nearTheTopOfSlider(VST3Editor& editor, int32_t tag)
{
    const auto* slider = boundControl<CSliderBase>(editor, tag);
    if (!slider)
        return CPoint(-1, -1);
    const CRect rect = frameRect(slider);
    return CPoint(rect.left + rect.getWidth() / 2, rect.top + 1);
}

CParamDisplay* valueDisplay(VST3Editor& editor, int32_t tag)
{
    return boundControl<CParamDisplay>(editor, tag);
}

/** A controller as the host has it, editors opened on it, and the timers run by hand. */
class Editor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setPlatformTimerFactory(&clock);
        setPlatformWindowFactory(&windowless);
        setModulePath(QZ_MODULE_PATH);
        controller = owned(new PlugController);
        ASSERT_EQ(controller->initialize(&hostContext), kResultOk);
        handler = owned(new RecordingComponentHandler);
        controller->setComponentHandler(handler);
    }
    void TearDown() override
    {
        editors.clear();
        controller->setComponentHandler(nullptr);
        controller->terminate();
        controller = nullptr;
        setModulePath("");
        setPlatformWindowFactory(nullptr);
        setPlatformTimerFactory(nullptr);
    }

    /** A new editor, attached as the host does; null when the controller gives none. */
    VST3Editor* openEditor()
    {
        IPtr<IPlugView> view = owned(controller->createView(ViewType::kEditor));
        if (!view)
            return nullptr;
        EXPECT_EQ(view->attached(&fakeParentWindow, kPlatformTypeX11EmbedWindowID), kResultOk);
        editors.push_back(view);
        return dynamic_cast<VST3Editor*>(view.get());
    }

    void idle() { clock.advance(VST3Editor::idleIntervalMs); }

    ManualTimerClock clock;
    WindowlessFactory windowless;
    HostApplication hostContext;
    IPtr<PlugController> controller;
    IPtr<RecordingComponentHandler> handler;
    std::vector<IPtr<IPlugView>> editors;
};

} // namespace

TEST_F(Editor, OpensFromTheInstalledDescriptionWithEveryParameterBound)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->getFrame(), nullptr);
    const auto controls = boundControls(*editor);
    for (int32_t tag = 0; tag <= static_cast<int32_t>(kBypassId); ++tag)
        EXPECT_EQ(controls.count(tag), 1u) << "tag " << tag;
    // Each band and the level: slider and value display.
    EXPECT_EQ(controls.at(kLevelId).size(), 2u);
    EXPECT_EQ(controls.at(kNumBands).size(), 2u);
    EXPECT_EQ(controls.size(), 33u);
    ViewRect size;
    ASSERT_EQ(editor->getSize(&size), kResultTrue);
    EXPECT_EQ(size.getWidth(), static_cast<int32>(editor->getFrame()->getViewSize().getWidth()));
}

TEST_F(Editor, BandsRunFromLowToHighLeftToRight)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    double previousLeft = -1.;
    for (int32_t band = 1; band <= kNumBands; ++band)
    {
        CParamDisplay* display = valueDisplay(*editor, band);
        ASSERT_NE(display, nullptr) << band;
        EXPECT_GT(frameRect(display).left, previousLeft) << band;
        previousLeft = frameRect(display).left;
    }
}

TEST_F(Editor, EachBandAndTheLevelHasAVerticalSliderLowAtTheBottom)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    for (int32_t tag = 0; tag <= kNumBands; ++tag)
    {
        auto* slider = boundControl<CSliderBase>(*editor, tag);
        ASSERT_NE(slider, nullptr) << "tag " << tag;
        EXPECT_EQ(slider->getStyle() & (kVertical | kBottom), kVertical | kBottom) << tag;
    }
}

TEST_F(Editor, APressAtTheTopOfABandRaisesItThroughTheHost)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    CPoint top = nearTheTopOfSlider(*editor, 10);
    editor->getFrame()->onMouseDown(top, kLButton);
    editor->getFrame()->onMouseUp(top, kLButton);
    const auto& records = handler->records();
    ASSERT_GE(records.size(), 3u);
    EXPECT_EQ(records.front().call, Call::kBeginEdit);
    EXPECT_EQ(records.back().call, Call::kEndEdit);
    EXPECT_EQ(records[1].call, Call::kPerformEdit);
    EXPECT_EQ(records[1].subject, 10);
    EXPECT_GT(controller->getParamNormalized(10), 0.9);
    EXPECT_EQ(records[1].value, controller->getParamNormalized(10));
}

TEST_F(Editor, ControlsStartAtTheParametersAndShowTheirValueTexts)
{
    controller->setParamNormalized(7, 1.0);
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(valueDisplay(*editor, 7)->getDisplayText(), "12.00");
    EXPECT_EQ(valueDisplay(*editor, kLevelId)->getDisplayText(), "0.00");
}

TEST_F(Editor, AControlEditReachesTheHostAsBeginPerformEnd)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    CControl* control = boundControls(*editor)[12].front();
    control->beginEdit();
    control->setValueNormalized(0.25f);
    control->valueChanged();
    control->endEdit();
    EXPECT_EQ(handler->records(),
              (std::vector<RecordingComponentHandler::Record>{{Call::kBeginEdit, 12, 0.},
                                                              {Call::kPerformEdit, 12, 0.25},
                                                              {Call::kEndEdit, 12, 0.}}));
    EXPECT_EQ(controller->getParamNormalized(12), 0.25);
}

TEST_F(Editor, ClosingTheEditorEndsEveryEditItHasOpen)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    CPoint top = nearTheTopOfSlider(*editor, 10);
    editor->getFrame()->onMouseDown(top, kLButton);
    editor->getFrame()->onWheel(nearTheTopOfSlider(*editor, 12), 1.f, 0);
    ASSERT_EQ(editor->removed(), kResultOk);
    for (const ParamID id : {10u, 12u})
    {
        const auto calls = [&](Call call) {
            return std::count_if(
                handler->records().begin(), handler->records().end(),
                [&](const auto& record) { return record.call == call && record.subject == id; });
        };
        EXPECT_EQ(calls(Call::kBeginEdit), 1) << id;
        EXPECT_EQ(calls(Call::kEndEdit), 1) << id;
    }
    // The abandoned drag gives its band back the value from before the press.
    EXPECT_EQ(controller->getParamNormalized(10), 0.5);
}

TEST_F(Editor, ClickingBypassSwitchesTheParameterThroughTheHost)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    CControl* bypass = boundControls(*editor)[kBypassId].front();
    const CRect rect = frameRect(bypass);
    CPoint where(rect.left + 2, rect.top + 2);
    editor->getFrame()->onMouseDown(where, kLButton);
    EXPECT_EQ(handler->records(),
              (std::vector<RecordingComponentHandler::Record>{{Call::kBeginEdit, kBypassId, 0.},
                                                              {Call::kPerformEdit, kBypassId, 1.},
                                                              {Call::kEndEdit, kBypassId, 0.}}));
    EXPECT_EQ(controller->getParamNormalized(kBypassId), 1.);
}

TEST_F(Editor, AutomationMovesTheControlsAtTheNextIdle)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    controller->setParamNormalized(5, 0.8);
    CParamDisplay* display = valueDisplay(*editor, 5);
    EXPECT_FLOAT_EQ(display->getValueNormalized(), 0.5f);
    idle();
    EXPECT_FLOAT_EQ(display->getValueNormalized(), 0.8f);
    EXPECT_EQ(display->getDisplayText(), "7.20");
    // The move is not reported back to the host as an edit.
    EXPECT_TRUE(handler->records().empty());
}

TEST_F(Editor, ARestoredProjectMovesEveryControl)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    ParamState state;
    for (int32 id = 0; id < kNumValues; ++id)
        state.values[id] = id / 40.0;
    state.bypass = true;
    MemoryStream stream;
    ASSERT_EQ(state.write(&stream), kResultOk);
    stream.seek(0, IBStream::kIBSeekSet, nullptr);
    ASSERT_EQ(controller->setComponentState(&stream), kResultOk);
    idle();
    for (const auto& [tag, controls] : boundControls(*editor))
    {
        const float expected = tag == kBypassId ? 1.f : static_cast<float>(tag / 40.0);
        for (const CControl* control : controls)
            EXPECT_FLOAT_EQ(control->getValueNormalized(), expected) << "tag " << tag;
    }
}

TEST_F(Editor, TwoEditorsFollowEachOthersEdits)
{
    VST3Editor* first = openEditor();
    VST3Editor* second = openEditor();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(first->getFrame(), second->getFrame());
    CControl* edited = boundControls(*first)[3].front();
    edited->setValueNormalized(0.1f);
    edited->valueChanged();
    idle();
    EXPECT_FLOAT_EQ(valueDisplay(*second, 3)->getValueNormalized(), 0.1f);
    EXPECT_EQ(controller->getAboutControllers().size(), 2u);

    ASSERT_EQ(editors.front()->removed(), kResultOk);
    editors.erase(editors.begin());
    controller->setParamNormalized(3, 0.9);
    idle();
    EXPECT_FLOAT_EQ(valueDisplay(*second, 3)->getValueNormalized(), 0.9f);
}

TEST_F(Editor, ClosingTheEditorDeletesItsAboutBox)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(controller->getAboutControllers().size(), 1u);
    ASSERT_EQ(editor->removed(), kResultOk);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_TRUE(controller->getAboutControllers().empty());
    EXPECT_EQ(editor->removed(), kResultFalse);
}

TEST_F(Editor, TheAboutButtonShowsTheLineForThisPlatform)
{
    VST3Editor* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    std::vector<CTextLabel*> labels;
    COnOffButton* aboutButton = nullptr;
    editor->getFrame()->forEachDescendant([&](CView* view) {
        auto* button = dynamic_cast<COnOffButton*>(view);
        if (button && button->getListener() != editor)
            aboutButton = button;
    });
    ASSERT_NE(aboutButton, nullptr);
    auto* aboutView = aboutButton->getParentView();
    for (size_t i = 0; i < aboutView->getNbViews(); ++i)
    {
        if (auto* label = dynamic_cast<CTextLabel*>(aboutView->getView(i)))
            labels.push_back(label);
    }
    ASSERT_EQ(labels.size(), 1u);
    const CRect rect = frameRect(aboutButton);
    CPoint where(rect.left + 1, rect.top + 1);
    editor->getFrame()->onMouseDown(where, kLButton);
    EXPECT_EQ(labels[0]->getText(), UTF8String("2.1.0, VST3 unknown"));
    editor->getFrame()->onMouseDown(where, kLButton);
    EXPECT_EQ(labels[0]->getText(), UTF8String(""));
    EXPECT_TRUE(handler->records().empty());
}

TEST_F(Editor, TheEditorKeepsItsControllerAliveUntilItGoes)
{
    IPtr<IPlugView> view = owned(controller->createView(ViewType::kEditor));
    ASSERT_TRUE(view);
    ASSERT_EQ(view->attached(&fakeParentWindow, kPlatformTypeX11EmbedWindowID), kResultOk);
    controller->setComponentHandler(nullptr);
    controller->terminate();
    controller = nullptr;
    // The host let go of the controller first; the editor closes and releases it safely.
    EXPECT_EQ(view->removed(), kResultOk);
    view = nullptr;
    controller = owned(new PlugController);
}

TEST_F(Editor, OnlyTheX11EmbeddingIsSupportedAndAttachedOnce)
{
    IPtr<IPlugView> view = owned(controller->createView(ViewType::kEditor));
    ASSERT_TRUE(view);
    EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
    EXPECT_EQ(view->attached(&fakeParentWindow, kPlatformTypeHWND), kResultFalse);
    EXPECT_EQ(view->attached(&fakeParentWindow, kPlatformTypeX11EmbedWindowID), kResultOk);
    EXPECT_EQ(view->attached(&fakeParentWindow, kPlatformTypeX11EmbedWindowID), kResultFalse);
    EXPECT_EQ(view->removed(), kResultOk);
}

TEST_F(Editor, AnEditorDestroyedWhileAttachedClosesItself)
{
    ASSERT_NE(openEditor(), nullptr);
    editors.clear();
    EXPECT_TRUE(controller->getAboutControllers().empty());
}

namespace {

/** A bundle in the test's temporary folder whose plug.uidesc holds the given text, or none. */
std::string fakeModulePath(const char* bundle, const char* description)
{
    // Test processes run side by side: each builds its bundles under a name of its own.
    const std::string root = ::testing::TempDir() + std::to_string(getpid()) + "-" + bundle;
    const std::string resources = root + "/Contents/Resources";
    std::filesystem::create_directories(resources);
    std::filesystem::remove(resources + "/plug.uidesc");
    if (description)
        std::ofstream(resources + "/plug.uidesc") << description;
    return root + "/Contents/x86_64-linux/module.so";
}

} // namespace

TEST_F(Editor, AMissingOrBrokenDescriptionGivesNoEditor)
{
    const char* const broken[] = {
        nullptr,
        "",
        "<vstgui-ui-description><template name=\"view\" class=\"CViewContainer\">",
        "<vstgui-ui-description><template name=\"other\" size=\"10, 10\" "
        "class=\"CViewContainer\"/></vstgui-ui-description>",
        // Sizes that no window can take.
        "<vstgui-ui-description><template name=\"view\" class=\"CViewContainer\"/>"
        "</vstgui-ui-description>",
        "<vstgui-ui-description><template name=\"view\" size=\"1e12, 1e12\" "
        "class=\"CViewContainer\"/></vstgui-ui-description>",
        "<vstgui-ui-description><template name=\"view\" size=\"-100, 50\" "
        "class=\"CViewContainer\"/></vstgui-ui-description>",
        "<vstgui-ui-description><template name=\"view\" size=\"300, 0\" "
        "class=\"CViewContainer\"/></vstgui-ui-description>",
    };
    int index = 0;
    for (const char* description : broken)
    {
        setModulePath(fakeModulePath(("broken" + std::to_string(index++)).c_str(), description));
        EXPECT_EQ(controller->createView(ViewType::kEditor), nullptr) << index;
    }
    EXPECT_TRUE(controller->getAboutControllers().empty());
}

namespace {

/** A host context inside the Audio Unit wrapper, counting the references it hands out. */
class AUWrapperContext : public FObject, public IVst3ToAUWrapper
{
public:
    OBJ_METHODS(AUWrapperContext, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IVst3ToAUWrapper)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};

} // namespace

TEST(AboutControllers, OneIsCreatedPerRequestAndListedInCreationOrder)
{
    auto controller = owned(new PlugController);
    ASSERT_EQ(controller->initialize(nullptr), kResultOk);
    std::vector<std::unique_ptr<IController>> created;
    for (int i = 0; i < 3; ++i)
        created.emplace_back(controller->createSubController("AboutController", nullptr, nullptr));
    for (const char* name : {"aboutcontroller", "AboutController2", "About", ""})
        EXPECT_EQ(controller->createSubController(name, nullptr, nullptr), nullptr) << name;
    EXPECT_EQ(controller->createSubController(nullptr, nullptr, nullptr), nullptr);
    ASSERT_EQ(controller->getAboutControllers().size(), 3u);

    auto* second = controller->getAboutControllers()[1];
    auto* third = controller->getAboutControllers()[2];
    created[0].reset();
    EXPECT_EQ(controller->getAboutControllers(),
              (std::vector<PlugController::AboutController*>{second, third}));
    controller->removeAboutController(nullptr);
    EXPECT_EQ(controller->getAboutControllers().size(), 2u);
    created.clear();
    EXPECT_TRUE(controller->getAboutControllers().empty());
    controller->terminate();
}

TEST(AboutControllers, TheAudioUnitWrapperIsAskedAndReleased)
{
    auto context = owned(new AUWrapperContext);
    auto controller = owned(new PlugController);
    ASSERT_EQ(controller->initialize(context->unknownCast()), kResultOk);
    const uint32 referencesBefore = context->getRefCount();
    std::unique_ptr<IController> about(
        controller->createSubController("AboutController", nullptr, nullptr));
    EXPECT_EQ(context->getRefCount(), referencesBefore);

    auto label = makeOwned<CTextLabel>(CRect(0, 0, 10, 10));
    auto button = makeOwned<COnOffButton>(CRect(0, 0, 10, 10));
    button->setValue(1.f);
    UIAttributes attributes;
    about->verifyView(label.get(), attributes, nullptr);
    about->verifyView(button.get(), attributes, nullptr);
    EXPECT_NE(label->getText().getString().find(", AU "), std::string::npos);
    about.reset();
    controller->terminate();
}

TEST(EditorInTheModule, TheShippedModuleFindsItsDescriptionInItsBundle)
{
    qz::testhost::PluginModule module{qz::testhost::builtModulePath()};
    qz::testhost::ControllerInstance instance{module, PlugControllerUID.toTUID()};
    ASSERT_EQ(instance.initialize(), kResultOk);
    IPtr<IPlugView> view = owned(instance.controller()->createView(ViewType::kEditor));
    ASSERT_TRUE(view);
    ViewRect size;
    ASSERT_EQ(view->getSize(&size), kResultTrue);
    EXPECT_GT(size.getWidth(), 0);
    EXPECT_GT(size.getHeight(), 0);
}
