#include "controller/architecturequery.h"
#include "controller/plugaboutcontroller.h"

#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/uidescription/uiattributes.h"

#include <gtest/gtest.h>

#include <cstdint>

#include <cerrno>
#include <limits>
#include <memory>
#include <vector>

using namespace Steinberg::Vst;
using namespace VSTGUI;

namespace {

/** Stands in for the edit controller: the about box needs only removeAboutController. */
struct FakeOwner
{
    void removeAboutController(PlugAboutController<FakeOwner>* removed)
    {
        removals.push_back(removed);
    }
    std::vector<PlugAboutController<FakeOwner>*> removals;
};

using About = PlugAboutController<FakeOwner>;

TranslationQueryOutcome queryOutcome{false, ENOENT, 0};
TranslationQueryOutcome fixedQuery()
{
    return queryOutcome;
}

/** An about view (a container) whose views the sub-controller verifies in the order given. */
class AboutBox : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedQuery = translationQuery;
        translationQuery = &fixedQuery;
        queryOutcome = {false, ENOENT, 0};
        aboutView = makeOwned<CViewContainer>(CRect(0, 0, 400, 30));
    }
    void TearDown() override { translationQuery = savedQuery; }

    std::unique_ptr<About> makeAbout(bool isAUWrapper = false)
    {
        return std::make_unique<About>(&owner, isAUWrapper);
    }
    COnOffButton* addButton(About& about, float value = 0.f)
    {
        auto* button = new COnOffButton(CRect(0, 0, 20, 20));
        button->setValue(value);
        aboutView->addView(button);
        about.verifyView(button, attributes, nullptr);
        return button;
    }
    CTextLabel* addLabel(About& about)
    {
        auto* label = new CTextLabel(CRect(30, 0, 300, 20), "from the description");
        aboutView->addView(label);
        about.verifyView(label, attributes, nullptr);
        return label;
    }
    static void setButton(COnOffButton* button, float value)
    {
        button->setValue(value);
        button->valueChanged();
    }

    TranslationQuery savedQuery = nullptr;
    FakeOwner owner;
    UIAttributes attributes;
    SharedPointer<CViewContainer> aboutView;
};

} // namespace

TEST_F(AboutBox, TheButtonShowsVersionFormatAndArchitectureAndOffEmptiesTheLabel)
{
    auto about = makeAbout();
    CTextLabel* label = addLabel(*about);
    EXPECT_EQ(label->getText(), UTF8String(""));
    COnOffButton* button = addButton(*about);
    setButton(button, 1.f);
    EXPECT_EQ(label->getText(), UTF8String("2.1.0, VST3 x86_64-macOS"));
    setButton(button, 0.f);
    EXPECT_EQ(label->getText(), UTF8String(""));
}

TEST_F(AboutBox, AClickOnTheButtonTogglesTheText)
{
    auto about = makeAbout();
    CTextLabel* label = addLabel(*about);
    addButton(*about);
    CPoint where(5, 5);
    aboutView->onMouseDown(where, kLButton);
    EXPECT_EQ(label->getText(), UTF8String("2.1.0, VST3 x86_64-macOS"));
    aboutView->onMouseDown(where, kLButton);
    EXPECT_EQ(label->getText(), UTF8String(""));
}

TEST_F(AboutBox, AnyValueButZeroOrNaNCountsAsOn)
{
    auto about = makeAbout();
    CTextLabel* label = addLabel(*about);
    COnOffButton* button = addButton(*about);
    setButton(button, 0.5f);
    EXPECT_FALSE(label->getText().empty());
    setButton(button, std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(label->getText().empty());
    setButton(button, -1.f);
    EXPECT_FALSE(label->getText().empty());
}

TEST_F(AboutBox, ALabelMetBeforeTheButtonShowsTheTextAtOnce)
{
    auto about = makeAbout();
    CTextLabel* label = addLabel(*about);
    addButton(*about, 1.f);
    EXPECT_EQ(label->getText(), UTF8String("2.1.0, VST3 x86_64-macOS"));
}

TEST_F(AboutBox, ALabelMetAfterTheButtonWaitsForTheButtonsNextChange)
{
    auto about = makeAbout();
    COnOffButton* button = addButton(*about, 1.f);
    CTextLabel* label = addLabel(*about);
    EXPECT_EQ(label->getText(), UTF8String(""));
    setButton(button, 1.f);
    EXPECT_EQ(label->getText(), UTF8String("2.1.0, VST3 x86_64-macOS"));
}

TEST_F(AboutBox, WithTwoButtonsTheOneMetLastDrivesTheText)
{
    auto about = makeAbout();
    CTextLabel* label = addLabel(*about);
    COnOffButton* first = addButton(*about);
    COnOffButton* second = addButton(*about);
    setButton(first, 1.f);
    EXPECT_EQ(label->getText(), UTF8String(""));
    setButton(second, 1.f);
    EXPECT_FALSE(label->getText().empty());
    setButton(first, 0.f);
    EXPECT_FALSE(label->getText().empty());
}

TEST_F(AboutBox, AButtonWithoutLabelChangesNothingVisible)
{
    auto about = makeAbout();
    COnOffButton* button = addButton(*about);
    setButton(button, 1.f);
    SUCCEED();
}

TEST_F(AboutBox, InsideTheAudioUnitWrapperTheFormatIsAU)
{
    queryOutcome = {true, 0, 1};
    auto about = makeAbout(true);
    CTextLabel* label = addLabel(*about);
    addButton(*about, 1.f);
    EXPECT_EQ(label->getText(), UTF8String("2.1.0, AU arm64-macOS (T)"));
}

TEST_F(AboutBox, OtherViewsPassThroughUntouched)
{
    auto about = makeAbout();
    CTextLabel* label = addLabel(*about);
    COnOffButton* button = addButton(*about);
    auto* other = new CViewContainer(CRect(0, 0, 5, 5));
    aboutView->addView(other);
    EXPECT_EQ(about->verifyView(other, attributes, nullptr), other);
    EXPECT_EQ(about->verifyView(nullptr, attributes, nullptr), nullptr);
    about->viewWillDelete(other);
    setButton(button, 1.f);
    EXPECT_FALSE(label->getText().empty());
}

TEST_F(AboutBox, DeletedViewsAreReleasedAndTheOwnerHearsOfTheEnd)
{
    auto about = makeAbout();
    addLabel(*about);
    addButton(*about, 1.f);
    // The toolkit deletes the views first; the sub-controller must not touch them afterwards.
    aboutView = nullptr;
    const auto address = reinterpret_cast<std::uintptr_t>(about.get());
    about.reset();
    ASSERT_EQ(owner.removals.size(), 1u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(owner.removals.front()), address);
}

TEST_F(AboutBox, ASubControllerEndingBeforeItsViewsLeavesThemUnwatched)
{
    auto about = makeAbout();
    CTextLabel* label = addLabel(*about);
    COnOffButton* button = addButton(*about);
    about.reset();
    setButton(button, 1.f);
    EXPECT_EQ(label->getText(), UTF8String(""));
}

TEST(ArchitectureLabel, FollowsTheTranslationQueryOutcome)
{
    EXPECT_STREQ(architectureLabel({true, 0, 0}), "arm64-macOS");
    EXPECT_STREQ(architectureLabel({true, 0, 1}), "arm64-macOS (T)");
    EXPECT_STREQ(architectureLabel({true, 0, 2}), "x86_64-macOS");
    EXPECT_STREQ(architectureLabel({true, 0, 3}), "unknown");
    EXPECT_STREQ(architectureLabel({true, 0, -5}), "unknown");
    EXPECT_STREQ(architectureLabel({false, ENOENT, 0}), "x86_64-macOS");
    EXPECT_STREQ(architectureLabel({false, EPERM, 0}), "unknown");
}

#if !SMTG_OS_MACOS
TEST(ArchitectureLabel, WithoutTheTranslationQueryTheArchitectureIsUnknown)
{
    const TranslationQueryOutcome outcome = queryProcessTranslation();
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_NE(outcome.errorNumber, ENOENT);
    EXPECT_STREQ(architectureLabel(outcome), "unknown");
}
#endif
