#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/iplatformframe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

/** A view that logs the events it receives and answers presses as told. */
class ProbeView : public CView
{
public:
    ProbeView(const CRect& size, std::string viewName, std::vector<std::string>& eventLog,
              CMouseEventResult pressAnswer = kMouseEventHandled)
        : CView(size), name(std::move(viewName)), log(eventLog), answer(pressAnswer)
    {
    }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState&) override
    {
        record("down", where);
        return answer;
    }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState&) override
    {
        record("up", where);
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState&) override
    {
        record("moved", where);
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseCancel() override
    {
        log.push_back(name + " cancel");
        return kMouseEventHandled;
    }

private:
    void record(const char* event, const CPoint& where)
    {
        log.push_back(name + " " + event + " " + std::to_string(int(where.x)) + "," +
                      std::to_string(int(where.y)));
    }

    std::string name;
    std::vector<std::string>& log;
    CMouseEventResult answer;
};

struct RecordingWindow : IPlatformFrame
{
    void invalidRect(const CRect& rect) override { rects.push_back(rect); }
    std::vector<CRect> rects;
};

/** A frame 400x300 with a view "a" at (10,10)-(110,60) and, in a container at (200,100), a view
 * "b" at (20,20)-(70,70) of the container. */
class MouseDispatch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = makeOwned<CFrame>(CRect(0, 0, 400, 300));
        frame->addView(new ProbeView(CRect(10, 10, 110, 60), "a", log));
        container = new CViewContainer(CRect(200, 100, 300, 200));
        viewB = new ProbeView(CRect(20, 20, 70, 70), "b", log);
        container->addView(viewB);
        frame->addView(container);
    }

    CMouseEventResult press(double x, double y)
    {
        CPoint where(x, y);
        return frame->onMouseDown(where, kLButton);
    }
    CMouseEventResult move(double x, double y)
    {
        CPoint where(x, y);
        return frame->onMouseMoved(where, kLButton);
    }
    CMouseEventResult release(double x, double y)
    {
        CPoint where(x, y);
        return frame->onMouseUp(where, kLButton);
    }

    std::vector<std::string> log;
    SharedPointer<CFrame> frame;
    CViewContainer* container = nullptr;
    CView* viewB = nullptr;
};

} // namespace

TEST_F(MouseDispatch, PressMovesAndReleaseGoToThePressedViewEvenOutsideIt)
{
    EXPECT_EQ(press(20, 20), kMouseEventHandled);
    move(250, 150);
    release(390, 290);
    EXPECT_EQ(log, (std::vector<std::string>{"a down 20,20", "a moved 250,150", "a up 390,290"}));
}

TEST_F(MouseDispatch, PointsReachNestedViewsInTheirParentsCoordinates)
{
    press(230, 130);
    move(231, 125);
    release(231, 125);
    EXPECT_EQ(log, (std::vector<std::string>{"b down 30,30", "b moved 31,25", "b up 31,25"}));
}

TEST_F(MouseDispatch, APressAnsweredDontNeedMovedOrUpIsNotFollowed)
{
    frame->addView(new ProbeView(CRect(150, 10, 190, 50), "c", log,
                                 kMouseDownEventHandledButDontNeedMovedOrUpEvents));
    EXPECT_EQ(press(160, 20), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    // Neither the press's moves nor its release reach any view, also not the one under the
    // pointer; after the release, moves without a button do.
    EXPECT_EQ(move(20, 20), kMouseEventNotHandled);
    EXPECT_EQ(release(20, 20), kMouseEventNotHandled);
    CPoint hover(21, 21);
    frame->onMouseMoved(hover, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"c down 160,20", "a moved 21,21"}));
}

TEST_F(MouseDispatch, CancelAbandonsThePress)
{
    press(20, 20);
    EXPECT_EQ(frame->onMouseCancel(), kMouseEventHandled);
    EXPECT_EQ(release(20, 20), kMouseEventNotHandled);
    EXPECT_EQ(log, (std::vector<std::string>{"a down 20,20", "a cancel"}));
}

TEST_F(MouseDispatch, APressOnNoViewIsNotHandled)
{
    EXPECT_EQ(press(5, 290), kMouseEventNotHandled);
    EXPECT_EQ(release(5, 290), kMouseEventNotHandled);
    EXPECT_TRUE(log.empty());
}

TEST_F(MouseDispatch, RightAndBottomEdgesBelongToTheNeighbour)
{
    EXPECT_EQ(press(110, 30), kMouseEventNotHandled);
    EXPECT_EQ(press(109, 59), kMouseEventHandled);
}

TEST_F(MouseDispatch, RemovingThePressedViewEndsThePressSafely)
{
    press(230, 130);
    container->removeView(viewB);
    EXPECT_EQ(release(230, 130), kMouseEventNotHandled);
    EXPECT_EQ(log, (std::vector<std::string>{"b down 30,30"}));
}

TEST_F(MouseDispatch, InvalidAreasReachTheWindowInFrameCoordinates)
{
    RecordingWindow window;
    frame->setPlatformFrame(&window);
    viewB->invalid();
    ASSERT_EQ(window.rects.size(), 1u);
    EXPECT_EQ(window.rects[0], CRect(220, 120, 270, 170));
    frame->setPlatformFrame(nullptr);
}
