#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/iviewlistener.h"
#include "vstgui/uidescription/icontroller.h"
#include "vstgui/uidescription/uidescription.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

/** Writes the file under a name of this process's own, since test processes run side by side. */
std::string writeDescription(const std::string& name, const std::string& text)
{
    const std::string path = ::testing::TempDir() + std::to_string(getpid()) + "-" + name;
    std::ofstream(path) << text;
    return path;
}

const char* const validDescription = R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <colors>
    <color name="panel" rgba="#102030ff"/>
    <color name="broken" rgba="#10203"/>
  </colors>
  <control-tags>
    <control-tag name="Level" tag="0"/>
    <control-tag name="Band1" tag="1"/>
    <control-tag name="Junk" tag="1x"/>
  </control-tags>
  <template name="view" class="CViewContainer" size="300, 200" background-color="panel">
    <view class="CTextLabel" origin="10, 10" size="50, 20" title="Hello" font-color="#ff0000"
          font-size="9.5"/>
    <view class="CSomethingUnknown" origin="0, 0" size="5, 5"/>
    <view class="COnOffButton" origin="70, 10" size="20, 20" control-tag="Level"
          default-value="1" max-value="2" font-size="13"/>
    <view class="CViewContainer" origin="100, 50" size="150, 100" sub-controller="Sub">
      <view class="CTextLabel" origin="0, 0" size="100, 20" title="Inner"/>
      <view class="COnOffButton" origin="0, 30" size="20, 20" control-tag="Band1"/>
    </view>
  </template>
</vstgui-ui-description>
)";

/** A sub-controller that logs what it sees and when it ends. */
class SubController : public IController, public ViewListenerAdapter
{
public:
    explicit SubController(std::vector<std::string>& eventLog) : log(eventLog) {}
    ~SubController() override { log.push_back("sub deleted"); }
    void valueChanged(CControl*) override {}
    int32_t getTagForName(UTF8StringPtr, int32_t registeredTag) const override
    {
        return registeredTag + 100;
    }
    CView* verifyView(CView* view, const UIAttributes& attributes, const IUIDescription*) override
    {
        log.push_back("sub verifies " + *attributes.getAttributeValue("class"));
        view->registerViewListener(this);
        return view;
    }
    void viewWillDelete(CView* view) override
    {
        log.push_back(std::string("sub hears deletion of ") +
                      (dynamic_cast<CViewContainer*>(view) ? "container" : "child"));
        view->unregisterViewListener(this);
    }

private:
    std::vector<std::string>& log;
};

class RootController : public IController
{
public:
    void valueChanged(CControl*) override {}
    IController* createSubController(UTF8StringPtr name, const IUIDescription*) override
    {
        log.push_back(std::string("create ") + name);
        return std::string(name) == "Sub" ? new SubController(log) : nullptr;
    }
    CView* verifyView(CView* view, const UIAttributes& attributes, const IUIDescription*) override
    {
        log.push_back("root verifies " + *attributes.getAttributeValue("class"));
        return view;
    }
    std::vector<std::string> log;
};

class UIDescriptionBuild : public ::testing::Test
{
protected:
    void SetUp() override
    {
        description =
            std::make_unique<UIDescription>(writeDescription("valid.uidesc", validDescription));
        ASSERT_TRUE(description->parse());
        view = description->createView("view", &controller);
        ASSERT_NE(view, nullptr);
        root = dynamic_cast<CViewContainer*>(view);
        ASSERT_NE(root, nullptr);
    }
    void TearDown() override
    {
        if (view)
            view->forget();
    }

    RootController controller;
    std::unique_ptr<UIDescription> description;
    CView* view = nullptr;
    CViewContainer* root = nullptr;
};

} // namespace

TEST_F(UIDescriptionBuild, TemplatesBuildNestedViewsWithTheirAttributes)
{
    EXPECT_EQ(root->getViewSize(), CRect(0, 0, 300, 200));
    EXPECT_EQ(root->getBackgroundColor(), CColor(0x10, 0x20, 0x30, 0xff));
    // The element of an unknown class is left out; its siblings are built.
    ASSERT_EQ(root->getNbViews(), 3u);
    auto* label = dynamic_cast<CTextLabel*>(root->getView(0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getText(), UTF8String("Hello"));
    EXPECT_EQ(label->getViewSize(), CRect(10, 10, 60, 30));
    EXPECT_EQ(label->getFontColor(), CColor(255, 0, 0));
    EXPECT_EQ(label->getFontSize(), 9.5);
    auto* button = dynamic_cast<COnOffButton*>(root->getView(1));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getFontSize(), 13.);
    auto* inner = dynamic_cast<CViewContainer*>(root->getView(2));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->getViewSize(), CRect(100, 50, 250, 150));
    EXPECT_EQ(inner->getNbViews(), 2u);
}

TEST_F(UIDescriptionBuild, ControlsGetTheirTagByNameAndTheServingListener)
{
    auto* button = dynamic_cast<COnOffButton*>(root->getView(1));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getTag(), 0);
    EXPECT_EQ(button->getListener(), &controller);
    EXPECT_FLOAT_EQ(button->getMax(), 2.f);
    EXPECT_FLOAT_EQ(button->getDefaultValue(), 1.f);
    // Under the sub-controller, the sub-controller answers for the tag and listens.
    auto* inner = dynamic_cast<CViewContainer*>(root->getView(2));
    auto* innerButton = dynamic_cast<COnOffButton*>(inner->getView(1));
    ASSERT_NE(innerButton, nullptr);
    EXPECT_EQ(innerButton->getTag(), 101);
    EXPECT_NE(innerButton->getListener(), &controller);
    EXPECT_NE(innerButton->getListener(), nullptr);
}

TEST_F(UIDescriptionBuild, EachViewPassesItsServingControllerChildrenFirst)
{
    EXPECT_EQ(controller.log,
              (std::vector<std::string>{"root verifies CTextLabel", "root verifies COnOffButton",
                                        "create Sub", "sub verifies CTextLabel",
                                        "sub verifies COnOffButton", "sub verifies CViewContainer",
                                        "root verifies CViewContainer"}));
}

TEST_F(UIDescriptionBuild, ASubControllerIsDeletedWithItsViewAfterTheViewsItServes)
{
    controller.log.clear();
    view->forget();
    view = nullptr;
    EXPECT_EQ(controller.log, (std::vector<std::string>{
                                  "sub hears deletion of child", "sub hears deletion of child",
                                  "sub hears deletion of container", "sub deleted"}));
}

TEST(UIDescriptionColors, NamedAndWrittenColoursAreFoundAndBrokenOnesAreNot)
{
    UIDescription description(writeDescription("colors.uidesc", validDescription));
    ASSERT_TRUE(description.parse());
    CColor color;
    EXPECT_TRUE(description.getColor("panel", color));
    EXPECT_TRUE(description.getColor("#01020304", color));
    EXPECT_EQ(color, CColor(1, 2, 3, 4));
    EXPECT_TRUE(description.getColor("#0a0B0c", color));
    EXPECT_EQ(color, CColor(10, 11, 12, 255));
    for (const char* text : {"broken", "#12345", "#1234567", "#gg0000", "red", ""})
        EXPECT_FALSE(description.getColor(text, color)) << text;
    EXPECT_EQ(description.getTagForName("Junk"), -1);
    EXPECT_EQ(description.getTagForName("Band1"), 1);
}

TEST(UIDescriptionLoading, MissingOrMalformedFilesAreRefused)
{
    EXPECT_FALSE(UIDescription(::testing::TempDir() + "does-not-exist.uidesc").parse());
    EXPECT_FALSE(UIDescription(writeDescription("empty.uidesc", "")).parse());
    EXPECT_FALSE(
        UIDescription(writeDescription("cut.uidesc", std::string(validDescription).substr(0, 400)))
            .parse());
    EXPECT_FALSE(UIDescription(writeDescription("other.uidesc", "<html><body/></html>")).parse());
    std::string deep = "<vstgui-ui-description><template name=\"view\" class=\"CViewContainer\">";
    for (int i = 0; i < 100; ++i)
        deep += "<view class=\"CViewContainer\">";
    for (int i = 0; i < 100; ++i)
        deep += "</view>";
    deep += "</template></vstgui-ui-description>";
    EXPECT_FALSE(UIDescription(writeDescription("deep.uidesc", deep)).parse());
}

TEST(UIDescriptionLoading, AnUnknownTemplateOrRootClassBuildsNothing)
{
    UIDescription description(
        writeDescription("unknownroot.uidesc",
                         "<vstgui-ui-description><template name=\"view\" class=\"CNoSuchView\" "
                         "size=\"10, 10\"/></vstgui-ui-description>"));
    ASSERT_TRUE(description.parse());
    RootController controller;
    EXPECT_EQ(description.createView("view", &controller), nullptr);
    EXPECT_EQ(description.createView("other", &controller), nullptr);
    EXPECT_NE(description.getViewAttributes("view"), nullptr);
}
