#include "host/pluginmodule.h"

#include "factory/plugids.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;
using qz::testhost::PluginModule;

namespace {

using GetFactoryFunc = IPluginFactory* (*)();

class LoadedModule : public ::testing::Test
{
protected:
    PluginModule module{qz::testhost::builtModulePath()};
};

PClassInfo2 classInfo2(const PluginModule& module, int32 index)
{
    PClassInfo2 info;
    EXPECT_EQ(module.factory2()->getClassInfo2(index, &info), kResultOk);
    return info;
}

TEST_F(LoadedModule, FactoryInformationNamesTheVendorAsUnicodeFactory)
{
    PFactoryInfo info;
    ASSERT_EQ(module.factory()->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "VORLIX Soft");
    EXPECT_EQ(info.flags, 16);
    EXPECT_EQ(std::strncmp(info.email, "mailto:", 7), 0);
    EXPECT_GT(std::strlen(info.url), 0u);
}

TEST_F(LoadedModule, ListsTheProcessorThenTheController)
{
    ASSERT_EQ(module.factory()->countClasses(), 2);

    const PClassInfo2 processor = classInfo2(module, 0);
    EXPECT_STREQ(processor.category, "Audio Module Class");
    EXPECT_STREQ(processor.name, "qz TORVIQ");
    EXPECT_EQ(processor.classFlags, 1u);
    EXPECT_STREQ(processor.subCategories, "Fx|EQ");

    const PClassInfo2 controller = classInfo2(module, 1);
    EXPECT_STREQ(controller.category, "Component Controller Class");
    EXPECT_STREQ(controller.name, "qz TORVIQ Controller");
    EXPECT_EQ(controller.classFlags, 0u);
    EXPECT_STREQ(controller.subCategories, "");

    for (const PClassInfo2& info : {processor, controller})
    {
        EXPECT_STREQ(info.version, "2.1.0.1");
        EXPECT_STREQ(info.sdkVersion, "VST 3.7.3");
        EXPECT_EQ(info.cardinality, 0x7FFFFFFF);
        EXPECT_STREQ(info.vendor, "");
    }
}

TEST_F(LoadedModule, ClassIdsAreTheBytesOfTheClassFuids)
{
    EXPECT_EQ(std::memcmp(classInfo2(module, 0).cid, PlugProcessorUID.toTUID(), sizeof(TUID)), 0);
    EXPECT_EQ(std::memcmp(classInfo2(module, 1).cid, PlugControllerUID.toTUID(), sizeof(TUID)), 0);
    EXPECT_NE(PlugProcessorUID, PlugControllerUID);
}

TEST_F(LoadedModule, OlderAndUnicodeClassInfoAgree)
{
    PClassInfo info;
    ASSERT_EQ(module.factory()->getClassInfo(0, &info), kResultOk);
    EXPECT_STREQ(info.name, "qz TORVIQ");
    EXPECT_EQ(module.factory()->getClassInfo(2, &info), kInvalidArgument);

    FUnknownPtr<IPluginFactory3> factory3(module.factory());
    ASSERT_TRUE(factory3);
    PClassInfoW wide;
    ASSERT_EQ(factory3->getClassInfoUnicode(1, &wide), kResultOk);
    EXPECT_EQ(wide.name[0], u'q');
    EXPECT_STREQ(wide.category, "Component Controller Class");
}

TEST_F(LoadedModule, CreatesTheProcessorAndTheControllerWithTheirInterfaces)
{
    auto component = module.create<IComponent>(PlugProcessorUID.toTUID());
    ASSERT_TRUE(component);
    EXPECT_TRUE(FUnknownPtr<IAudioProcessor>(component));

    auto controller = module.create<IEditController>(PlugControllerUID.toTUID());
    ASSERT_TRUE(controller);

    const TUID unknownClass = {};
    EXPECT_FALSE(module.create<IComponent>(unknownClass));
}

TEST_F(LoadedModule, RepeatedCallsShareOneFactoryWithOneMoreReference)
{
    auto getFactory = reinterpret_cast<GetFactoryFunc>(module.symbol("GetPluginFactory"));
    IPluginFactory* again = getFactory();
    EXPECT_EQ(again, module.factory());
    // addRef reports the count: the module's reference, this call's and the probe's own.
    EXPECT_EQ(again->addRef(), 3u);
    again->release();
    again->release();
}

TEST_F(LoadedModule, AFullyReleasedFactoryIsBuiltAnewWithTheSameClasses)
{
    module.reacquireFactory();

    IPluginFactory* factory = module.factory();
    EXPECT_EQ(factory->addRef(), 2u) << "a new factory starts with the caller's one reference";
    factory->release();
    ASSERT_EQ(factory->countClasses(), 2);
    EXPECT_STREQ(classInfo2(module, 0).name, "qz TORVIQ");
    EXPECT_STREQ(classInfo2(module, 1).name, "qz TORVIQ Controller");
}

} // namespace
