// libravelo exports the player API and the settings functions under the symbol version
// EXPORTED, as the plug-ins were linked against it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kExported[] = {
    "ZAQ_Init",
    "ZAQ_OpenTuner",
    "ZAQ_CloseTuner",
    "ZAQ_Release",
    "ZAQ_InstallCallbackFunction",
    "ZAQ_DirectPlayStart",
    "ZAQ_DirectPlayStop",
    "ZAQ_GetChannelListNum",
    "ZAQ_SelectChannel",
    "ZAQ_SelectChannelByFreq",
    "ZAQ_MicroTuner",
    "ZAQ_ScanChannel",
    "ZAQ_SetFrequencyRange",
    "ZAQ_SetSensitivityLevel",
    "ZAQ_SetProperty",
    "ZAQ_GetProperty",
    "ZAQ_SetCountryCode",
    "ZAQ_GetCountryCode",
    "ZAQ_SetTVInputType",
    "ZAQ_GetTVInputType",
    "ZAQ_SetTVVideoType",
    "ZAQ_GetTVVideoType",
    "ZAQ_SetVideoInputSource",
    "ZAQ_GetVideoInputSource",
    "ZAQ_SetAudioInputSource",
    "ZAQ_GetAudioInputSource",
    "ZAQ_Play",
    "ZAQ_Pause_On",
    "ZAQ_Pause_Off",
    "ZAQ_Forward_Scan",
    "ZAQ_Backward_Scan",
    "ZAQ_Time_Search",
    "ZAQ_GetPlayBackStatus",
    "ZAQ_FrameCapture",
    "getRegInt",
    "setRegInt",
    "getRegStr",
    "setRegStr",
    "_ZN12CDVD_WRAPPERC1Ei",
};

class Ravelo : public ::testing::Test {
  protected:
    void SetUp() override {
        library_ = dlopen((std::string(LIB_DIR) + "/libravelo.so").c_str(), RTLD_NOW);
        ASSERT_NE(library_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (library_) dlclose(library_);
    }
    void* library_ = nullptr;
};

TEST_F(Ravelo, EveryFunctionCarriesVersionExported) {
    for (const char* name : kExported)
        EXPECT_NE(dlvsym(library_, name, "EXPORTED"), nullptr) << name;
}

TEST_F(Ravelo, NoOtherVersionIsOffered) {
    EXPECT_EQ(dlvsym(library_, "ZAQ_Init", "EXPORTED_2"), nullptr);
}

TEST_F(Ravelo, InternalsStayHidden) {
    EXPECT_EQ(dlsym(library_, "_ZN6ravelo13SettingsStore8InstanceEv"), nullptr);
}

TEST(Tonvex, OffersTheFramePathToLibmirova) {
    void* library = dlopen((std::string(LIB_DIR) + "/libtonvex.so").c_str(), RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const char* name :
         {"ZMP_GetDriverID", "ZMP_GetTVFormat_Size", "ZMP_InstallTunerCallBackFunction",
          "ZMP_UninstallTunerCallBackFunction"})
        EXPECT_NE(dlsym(library, name), nullptr) << name;
    dlclose(library);
}

}  // namespace
