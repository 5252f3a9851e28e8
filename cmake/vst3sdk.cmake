# The VST3 SDK as Debian's juce-modules-source-data ships it, compiled in place.
find_path(VST3_SDK_ROOT
    NAMES pluginterfaces/base/funknown.h
    PATHS /usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK
    NO_DEFAULT_PATH)
if(NOT VST3_SDK_ROOT)
    message(FATAL_ERROR "VST3 SDK not found: install the Debian package juce-modules-source-data")
endif()

set(sdk ${VST3_SDK_ROOT})
add_library(vst3sdk STATIC
    ${sdk}/pluginterfaces/base/conststringtable.cpp
    ${sdk}/pluginterfaces/base/coreiids.cpp
    ${sdk}/pluginterfaces/base/funknown.cpp
    ${sdk}/pluginterfaces/base/ustring.cpp
    ${sdk}/base/source/baseiids.cpp
    ${sdk}/base/source/fbuffer.cpp
    ${sdk}/base/source/fdebug.cpp
    ${sdk}/base/source/fobject.cpp
    ${sdk}/base/source/fstreamer.cpp
    ${sdk}/base/source/fstring.cpp
    ${sdk}/base/source/updatehandler.cpp
    ${sdk}/base/thread/source/flock.cpp
    ${sdk}/public.sdk/source/common/memorystream.cpp
    ${sdk}/public.sdk/source/common/pluginview.cpp
    ${sdk}/public.sdk/source/vst/vstbus.cpp
    ${sdk}/public.sdk/source/vst/vstcomponent.cpp
    ${sdk}/public.sdk/source/vst/vstcomponentbase.cpp
    ${sdk}/public.sdk/source/vst/vsteditcontroller.cpp
    ${sdk}/public.sdk/source/vst/vstinitiids.cpp
    ${sdk}/public.sdk/source/vst/vstparameters.cpp)
target_include_directories(vst3sdk SYSTEM PUBLIC ${sdk})
# The package carries the 3.7.2 headers; the interfaces used here are those of 3.7.3.
target_compile_definitions(vst3sdk PUBLIC
    "kVstVersionString=\"VST 3.7.3\""
    $<IF:$<CONFIG:Debug>,DEVELOPMENT=1,RELEASE=1>)
target_compile_options(vst3sdk PRIVATE -w)

# Host-side helpers (HostApplication, HostMessage, ...) for the test host only.
add_library(vst3sdk_hosting STATIC
    ${sdk}/public.sdk/source/vst/hosting/hostclasses.cpp
    ${sdk}/public.sdk/source/vst/hosting/pluginterfacesupport.cpp)
target_link_libraries(vst3sdk_hosting PUBLIC vst3sdk)
target_compile_options(vst3sdk_hosting PRIVATE -w)
