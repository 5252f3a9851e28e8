// The editor's X11 window inside a host's window, driven through the X server as a user would.
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/linux/x11frame.h"

#include "x11host/hostwindow.h"
#include "x11host/runloop.h"
#include "x11host/xtestinput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>

namespace VSTGUI {
namespace {

using namespace std::chrono_literals;
using qz::x11host::XTestInput;

/** Paints itself in one colour and records what the mouse did to it. */
class RecordingView : public CView
{
public:
    struct Event
    {
        enum Kind
        {
            down,
            up,
            moved,
            wheel
        } kind;
        CPoint where;
        int32_t buttons;
        float distance;
    };

    RecordingView(const CRect& size, const CColor& paint) : CView(size), color(paint) {}

    std::vector<Event> events;
    int draws = 0;
    CColor color;
    std::function<void()> onPress;

    void draw(CDrawContext* context) override
    {
        ++draws;
        context->setFillColor(color);
        context->drawRect(getViewSize(), kDrawFilled);
    }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override
    {
        events.push_back({Event::down, where, buttons(), 0.f});
        if (onPress)
            onPress();
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override
    {
        events.push_back({Event::up, where, buttons(), 0.f});
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override
    {
        events.push_back({Event::moved, where, buttons(), 0.f});
        return kMouseEventHandled;
    }
    bool onWheel(const CPoint& where, float distance, const CButtonState& buttons) override
    {
        events.push_back({Event::wheel, where, buttons(), distance});
        return true;
    }
};

constexpr CColor kRed{255, 0, 0};
constexpr CColor kBlue{0, 0, 255};
constexpr CColor kGreen{0, 255, 0};

uint32_t rgb(const CColor& color)
{
    return static_cast<uint32_t>(color.red << 16 | color.green << 8 | color.blue);
}

class X11FrameTest : public testing::Test
{
protected:
    qz::x11host::HostWindow host{400, 300};
    Steinberg::IPtr<qz::x11host::RunLoop> loop = Steinberg::owned(new qz::x11host::RunLoop);
    XTestInput input;
    CFrame* frame = new CFrame(CRect(0, 0, 300, 200));
    RecordingView* left = new RecordingView(CRect(0, 0, 150, 200), kRed);
    RecordingView* right = new RecordingView(CRect(150, 0, 300, 200), kBlue);
    std::unique_ptr<X11Frame> window;

    void SetUp() override
    {
        frame->addView(left);
        frame->addView(right);
        window = X11Frame::open(*frame, host.windowId(), *loop);
        ASSERT_TRUE(window);
        frame->setPlatformFrame(window.get());
        // A view has drawn before the server shows it: wait for the pixels.
        ASSERT_TRUE(loop->runUntil([&] {
            auto image = host.grab();
            return image.at(0, 0) == rgb(kRed) && image.at(299, 199) == rgb(kBlue);
        }));
    }

    void TearDown() override
    {
        frame->setPlatformFrame(nullptr);
        window.reset();
        frame->forget();
    }

    void moveTo(int x, int y)
    {
        auto origin = host.rootOrigin();
        input.moveTo(origin.x + x, origin.y + y);
    }

    /** Runs the host's loop until a grab of the window passes wanted; answers that grab. */
    qz::x11host::Image grabWhen(const std::function<bool(const qz::x11host::Image&)>& wanted)
    {
        qz::x11host::Image image;
        loop->runUntil([&] {
            image = host.grab();
            return wanted(image);
        });
        return image;
    }

    /** Runs the host's loop until the view has seen count events. */
    bool seen(const RecordingView& view, size_t count)
    {
        return loop->runUntil([&] { return view.events.size() >= count; });
    }

    std::vector<RecordingView::Event> pressesOf(const RecordingView& view)
    {
        std::vector<RecordingView::Event> presses;
        for (auto& event : view.events)
        {
            if (event.kind == RecordingView::Event::down)
                presses.push_back(event);
        }
        return presses;
    }
};

TEST_F(X11FrameTest, TheWindowIsAnXEmbedChildOfTheHostsWindowWithTheFramesSize)
{
    auto children = host.children();
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(children[0], window->getWindow());
    auto geometry = host.childGeometry(window->getWindow());
    EXPECT_EQ(geometry.x, 0);
    EXPECT_EQ(geometry.y, 0);
    EXPECT_EQ(geometry.width, 300);
    EXPECT_EQ(geometry.height, 200);
    EXPECT_TRUE(geometry.mapped);
    EXPECT_EQ(host.property(window->getWindow(), "_XEMBED_INFO"), (std::vector<uint32_t>{0, 1}));
}

TEST_F(X11FrameTest, EachMouseButtonReachesTheViewUnderItAsItsToolkitButton)
{
    moveTo(30, 40);
    for (unsigned button : {1u, 2u, 3u})
    {
        input.press(button);
        input.release(button);
    }
    ASSERT_TRUE(loop->runUntil([&] { return pressesOf(*left).size() == 3; }));
    auto presses = pressesOf(*left);
    EXPECT_EQ(presses[0].buttons & kButtonMask, kLButton);
    EXPECT_EQ(presses[1].buttons & kButtonMask, kMButton);
    EXPECT_EQ(presses[2].buttons & kButtonMask, kRButton);
    EXPECT_EQ(presses[0].where, CPoint(30, 40));
    EXPECT_TRUE(right->events.empty());

    auto& last = left->events.back();
    EXPECT_EQ(last.kind, RecordingView::Event::up);
    EXPECT_EQ(last.buttons & kButtonMask, kRButton);
}

TEST_F(X11FrameTest, ModifierKeysHeldAtAPressArriveWithIt)
{
    moveTo(200, 100);
    const std::pair<XTestInput::Key, int32_t> keys[] = {{XTestInput::Key::shift, kShift},
                                                        {XTestInput::Key::control, kControl},
                                                        {XTestInput::Key::alt, kAlt}};
    for (auto& [key, bit] : keys)
    {
        input.keyDown(key);
        input.press(1);
        input.release(1);
        input.keyUp(key);
        ASSERT_TRUE(loop->runUntil([&] { return pressesOf(*right).size() == 1; }));
        EXPECT_EQ(pressesOf(*right)[0].buttons & kModifierMask, bit);
        EXPECT_EQ(pressesOf(*right)[0].where, CPoint(200, 100));
        right->events.clear();
        std::this_thread::sleep_for(450ms);
    }
}

TEST_F(X11FrameTest, ASecondPressInTimeIsADoubleClickAndALateOneIsNot)
{
    moveTo(60, 60);
    input.press(1);
    input.release(1);
    input.press(1);
    input.release(1);
    std::this_thread::sleep_for(500ms);
    input.press(1);
    input.release(1);
    ASSERT_TRUE(loop->runUntil([&] { return pressesOf(*left).size() == 3; }));
    auto presses = pressesOf(*left);
    EXPECT_FALSE(presses[0].buttons & kDoubleClick);
    EXPECT_TRUE(presses[1].buttons & kDoubleClick);
    EXPECT_FALSE(presses[2].buttons & kDoubleClick);
}

TEST_F(X11FrameTest, ADragSendsItsMovesWithTheButtonAndTheKeysHeldAtEachMove)
{
    moveTo(20, 20);
    input.press(1);
    moveTo(40, 30);
    input.keyDown(XTestInput::Key::shift);
    moveTo(60, 40);
    input.keyUp(XTestInput::Key::shift);
    moveTo(200, 50);
    input.release(1);
    ASSERT_TRUE(loop->runUntil([&] {
        return !left->events.empty() && left->events.back().kind == RecordingView::Event::up;
    }));
    auto press = std::find_if(left->events.begin(), left->events.end(),
                              [](auto& event) { return event.kind == RecordingView::Event::down; });
    std::vector<RecordingView::Event> events(press, left->events.end());
    ASSERT_EQ(events.size(), 5u) << "the press keeps its moves and release on the pressed view";
    EXPECT_EQ(events[1].kind, RecordingView::Event::moved);
    EXPECT_EQ(events[1].buttons, kLButton);
    EXPECT_EQ(events[2].buttons, kLButton | kShift);
    EXPECT_EQ(events[3].buttons, kLButton);
    EXPECT_EQ(events[3].where, CPoint(200, 50));
    EXPECT_EQ(events[4].kind, RecordingView::Event::up);
    EXPECT_TRUE(right->events.empty());
}

TEST_F(X11FrameTest, TheWheelTurnsInNotchesAwayFromAndTowardTheUser)
{
    moveTo(200, 20);
    input.keyDown(XTestInput::Key::shift);
    input.press(4);
    input.release(4);
    input.keyUp(XTestInput::Key::shift);
    input.press(5);
    input.release(5);
    ASSERT_TRUE(seen(*right, 3));
    auto& events = right->events;
    ASSERT_EQ(events[1].kind, RecordingView::Event::wheel);
    EXPECT_EQ(events[1].distance, 1.f);
    EXPECT_EQ(events[1].buttons, kShift);
    ASSERT_EQ(events[2].kind, RecordingView::Event::wheel);
    EXPECT_EQ(events[2].distance, -1.f);
    EXPECT_EQ(events[2].buttons, 0);
}

TEST_F(X11FrameTest, TheWindowShowsWhatTheViewsDrawAndRedrawsWhatTurnsInvalid)
{
    auto image = host.grab();
    EXPECT_EQ(image.at(10, 10), rgb(kRed));
    EXPECT_EQ(image.at(149, 199), rgb(kRed));
    EXPECT_EQ(image.at(150, 0), rgb(kBlue));
    EXPECT_EQ(image.at(299, 199), rgb(kBlue));
    EXPECT_EQ(image.at(300, 10), 0xffffffu) << "the host's own window beside the editor";

    const int leftDraws = left->draws;
    right->color = kGreen;
    right->invalid();
    ASSERT_TRUE(loop->runUntil([&] { return host.grab().at(200, 100) == rgb(kGreen); }));
    EXPECT_EQ(host.grab().at(100, 100), rgb(kRed));
    EXPECT_EQ(left->draws, leftDraws) << "a view outside the invalid rectangle is not drawn";
}

/** Black text on white, centred in the view. */
class TextView : public CView
{
public:
    TextView(const CRect& size, std::string shown) : CView(size), text(std::move(shown)) {}
    void draw(CDrawContext* context) override
    {
        context->setFillColor(kWhiteCColor);
        context->drawRect(getViewSize(), kDrawFilled);
        context->setFontColor(kBlackCColor);
        context->setFontSize(14);
        context->drawString(text, getViewSize(), kCenterText);
    }

private:
    std::string text;
};

/** The columns from the leftmost to the rightmost dark pixel inside a box. */
std::pair<int, int> inkColumns(const qz::x11host::Image& image, const CRect& box)
{
    int left = image.width, right = -1;
    for (int y = static_cast<int>(box.top); y < box.bottom; ++y)
    {
        for (int x = static_cast<int>(box.left); x < box.right; ++x)
        {
            if ((image.at(x, y) & 0xff) < 0x80)
            {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

TEST_F(X11FrameTest, TextIsSetInAnInstalledFontCentredInItsBox)
{
    const CRect box(100, 80, 200, 100);
    frame->addView(new TextView(box, "20kHz"));
    // The text view's white covers the red beneath it in the same paint as its glyphs.
    auto shown = grabWhen([](auto& image) { return image.at(100, 80) == 0xffffffu; });
    auto [inkLeft, inkRight] = inkColumns(shown, box);
    ASSERT_LT(inkLeft, inkRight) << "no glyph was drawn";
    EXPECT_GT(inkRight - inkLeft, 25) << "five glyphs of a 14 px font";
    EXPECT_NEAR((inkLeft + inkRight) / 2., 150., 3.);
}

TEST_F(X11FrameTest, TextTooWideForItsBoxIsSetSmallerToFitInIt)
{
    const CRect box(100, 80, 132, 100);
    frame->addView(new TextView(box, "1.25kHz"));
    auto shown = grabWhen([](auto& image) { return image.at(100, 80) == 0xffffffu; });
    auto [inkLeft, inkRight] = inkColumns(shown, box);
    ASSERT_LT(inkLeft, inkRight) << "no glyph was drawn";
    EXPECT_GT(inkLeft, 100) << "not cut at the left edge";
    EXPECT_LT(inkRight, 131) << "not cut at the right edge";
    EXPECT_GT(inkRight - inkLeft, 20) << "all seven glyphs";
}

TEST_F(X11FrameTest, AViewThatClosesTheEditorOnAPressEndsTheWindowsWork)
{
    left->onPress = [&] {
        frame->setPlatformFrame(nullptr);
        window.reset();
    };
    moveTo(30, 30);
    input.press(1);
    input.release(1);
    moveTo(40, 40);
    ASSERT_TRUE(seen(*left, 2));
    loop->runFor(50ms);
    EXPECT_EQ(left->events.back().kind, RecordingView::Event::down);
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    EXPECT_EQ(loop->timerCount(), 0u);
}

TEST_F(X11FrameTest, ClosingTheWindowUnregistersFromTheRunLoopAndDestroysIt)
{
    EXPECT_EQ(loop->eventHandlerCount(), 1u);
    frame->setPlatformFrame(nullptr);
    window.reset();
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    EXPECT_EQ(loop->timerCount(), 0u);
    EXPECT_TRUE(loop->runUntil([&] { return host.children().empty(); }));
}

TEST(X11FrameWithoutParent, AParentThatDoesNotExistGivesNoWindowAndRegistersNothing)
{
    qz::x11host::HostWindow host(100, 100);
    Steinberg::IPtr<qz::x11host::RunLoop> loop = Steinberg::owned(new qz::x11host::RunLoop);
    auto frame = SharedPointer<CFrame>::adopt(new CFrame(CRect(0, 0, 50, 50)));
    EXPECT_FALSE(X11Frame::open(*frame, host.windowId() + 0x1000, *loop));
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    EXPECT_EQ(loop->timerCount(), 0u);
}

} // namespace
} // namespace VSTGUI
