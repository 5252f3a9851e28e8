#include "vstgui/lib/cview.h"
#include "vstgui/uidescription/iviewcreator.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uiviewfactory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

std::vector<std::string> applied;

/** A creator that logs its apply and answers as configured by the "stop-at" attribute. */
class LoggingCreator : public ViewCreatorAdapter
{
public:
    LoggingCreator(const char* viewName, const char* baseName) : name(viewName), base(baseName)
    {
        UIViewFactory::registerViewCreator(*this);
    }
    ~LoggingCreator() override { UIViewFactory::unregisterViewCreator(*this); }
    IdStringPtr getViewName() const override { return name; }
    IdStringPtr getBaseViewName() const override { return base; }
    CView* create(const UIAttributes&, const IUIDescription*) const override
    {
        return new CView(CRect());
    }
    bool apply(CView*, const UIAttributes& attributes, const IUIDescription*) const override
    {
        applied.push_back(name);
        const std::string* stopAt = attributes.getAttributeValue("stop-at");
        return !stopAt || *stopAt != name;
    }

private:
    const char* name;
    const char* base;
};

class ViewFactory : public ::testing::Test
{
protected:
    void SetUp() override { applied.clear(); }

    CView* build(const char* className, const char* stopAt = nullptr)
    {
        UIAttributes attributes;
        attributes.setAttribute("class", className);
        attributes.setAttribute("size", "30, 40");
        if (stopAt)
            attributes.setAttribute("stop-at", stopAt);
        return UIViewFactory().createView(attributes, nullptr);
    }

    LoggingCreator base{"TestBase", "CView"};
    LoggingCreator derived{"TestDerived", "TestBase"};
};

} // namespace

TEST_F(ViewFactory, AttributesApplyThroughTheClassThenItsBaseClasses)
{
    CView* view = build("TestDerived");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(applied, (std::vector<std::string>{"TestDerived", "TestBase"}));
    // The CView creator at the end of the chain applied the size.
    EXPECT_EQ(view->getViewSize(), CRect(0, 0, 30, 40));
    view->forget();
}

TEST_F(ViewFactory, AnApplyAnsweringFalseEndsTheChain)
{
    CView* view = build("TestDerived", "TestDerived");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(applied, (std::vector<std::string>{"TestDerived"}));
    EXPECT_EQ(view->getViewSize(), CRect());
    view->forget();
}

TEST_F(ViewFactory, UnknownClassesBuildNothing)
{
    EXPECT_EQ(build("CNoSuchView"), nullptr);
    UIAttributes noClass;
    EXPECT_EQ(UIViewFactory().createView(noClass, nullptr), nullptr);
    EXPECT_TRUE(applied.empty());
}

TEST_F(ViewFactory, AnUnregisteredCreatorIsForgotten)
{
    {
        LoggingCreator temporary{"TestTemporary", "CView"};
        EXPECT_EQ(UIViewFactory::getViewCreator("TestTemporary"), &temporary);
    }
    EXPECT_EQ(UIViewFactory::getViewCreator("TestTemporary"), nullptr);
    EXPECT_NE(UIViewFactory::getViewCreator("CTextLabel"), nullptr);
}
