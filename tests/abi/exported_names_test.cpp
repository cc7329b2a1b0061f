// The names a host and the tuner service bind by are exported, spelled the same
// in the 32-bit and the 64-bit build: the player library's functions under the
// symbol version EXPORTED, the seven direct-play functions, and the plug-ins'
// classes (constructors, destructors, operations, tables and type information);
// and every library is built for the target of its build (i386: ELF 32-bit 80386).
#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

class Library {
  public:
    explicit Library(const char* name)
        : handle_(dlopen((std::string(LIB_DIR) + "/" + name).c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~Library() {
        if (handle_) dlclose(handle_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    void* Handle() const { return handle_; }

    // The names among `names` that the library does not export.
    std::vector<std::string> Missing(const std::vector<std::string>& names,
                                     const char* version = nullptr) const {
        std::vector<std::string> missing;
        for (const std::string& name : names) {
            void* symbol =
                version ? dlvsym(handle_, name.c_str(), version) : dlsym(handle_, name.c_str());
            if (!symbol) missing.push_back(name);
        }
        return missing;
    }

  private:
    void* handle_;
};

using Names = std::vector<std::string>;

// The start of a library's ELF header, enough for its class and machine.
Elf32_Ehdr ElfHeaderOf(const char* name) {
    Elf32_Ehdr header{};
    std::ifstream in(std::string(LIB_DIR) + "/" + name, std::ios::binary);
    in.read(reinterpret_cast<char*>(&header), sizeof header);
    return header;
}

TEST(ExportedNames, EveryLibraryIsBuiltForTheTargetOfThisBuild) {
#if defined(__i386__)
    constexpr unsigned char kClass = ELFCLASS32;
    constexpr Elf32_Half kMachine = EM_386;
#elif defined(__x86_64__)
    constexpr unsigned char kClass = ELFCLASS64;
    constexpr Elf32_Half kMachine = EM_X86_64;
#else
    constexpr unsigned char kClass = ELFCLASSNONE;
    constexpr Elf32_Half kMachine = EM_NONE;
    GTEST_SKIP() << "only the x86 targets are fixed";
#endif
    for (const char* name : {"libmirova.so", "libtelvira.so", "libsonidra.so", "libravelo.so",
                             "libtonvex.so", "libsolvane.so"}) {
        const Elf32_Ehdr header = ElfHeaderOf(name);
        ASSERT_EQ(std::string(reinterpret_cast<const char*>(header.e_ident), 4), ELFMAG) << name;
        EXPECT_EQ(header.e_ident[EI_CLASS], kClass) << name;
        // e_machine sits at the same offset in 32-bit and 64-bit headers.
        EXPECT_EQ(header.e_machine, kMachine) << name;
    }
}

TEST(ExportedNames, PlayerLibraryExportsTheTunerAndSettingsFunctionsUnderEXPORTED) {
    Library ravelo("libravelo.so");
    ASSERT_NE(ravelo.Handle(), nullptr) << dlerror();
    const Names names = {
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
    };
    EXPECT_EQ(ravelo.Missing(names, "EXPORTED"), Names{});
    EXPECT_EQ(ravelo.Missing({"ZAQ_Init"}, "NOT_EXPORTED"), Names{"ZAQ_Init"})
        << "the lookup tells versions apart";
}

TEST(ExportedNames, VideoLibraryExportsTheSevenDirectPlayFunctions) {
    Library mirova("libmirova.so");
    ASSERT_NE(mirova.Handle(), nullptr) << dlerror();
    EXPECT_EQ(mirova.Missing({"ZMP_DIRECTPLAY", "ZMP_STOPDIRECTPLAY", "ZMP_DIRECTPLAY_SETPROPERTY",
                              "ZMP_DIRECTPLAY_GETPROPERTY", "ZMP_MOVE", "ZMP_REFRESH",
                              "ZMP_FRAMECAPTURE"}),
              Names{});
}

TEST(ExportedNames, TvPlugInExportsItsControllerAndWrapperClasses) {
    Library telvira("libtelvira.so");
    ASSERT_NE(telvira.Handle(), nullptr) << dlerror();
    EXPECT_EQ(telvira.Missing({
                  "_ZN9CTVUICtrlC1Ev",
                  "_ZN9CTVUICtrlD0Ev",
                  "_ZN9CTVUICtrlD1Ev",
                  "_ZN9CTVUICtrl6NotifyEjPcji",
                  "_ZN9CTVUICtrl14MessageHandlerE12CUIMediaType13CUICtrlCmdSetiiPv",
                  "_ZTV9CTVUICtrl",
                  "_ZTI9CTVUICtrl",
                  "_ZN12CDVR_WRAPPERC1Ev",
                  "_ZN12CDVR_WRAPPERD0Ev",
                  "_ZN12CDVR_WRAPPERD1Ev",
                  "_ZN12CDVR_WRAPPER7CommandEjPviS0_i",
                  "_ZN12CDVR_WRAPPER11SetCallbackEPFiiPKcjiE",
                  "_ZTV12CDVR_WRAPPER",
                  "_ZTI12CDVR_WRAPPER",
              }),
              Names{});
}

TEST(ExportedNames, FmPlugInExportsItsControllerAndWrapperClasses) {
    Library sonidra("libsonidra.so");
    ASSERT_NE(sonidra.Handle(), nullptr) << dlerror();
    EXPECT_EQ(sonidra.Missing({
                  "_ZN9CFMUICtrlC1Ev",
                  "_ZN9CFMUICtrlD0Ev",
                  "_ZN9CFMUICtrlD1Ev",
                  "_ZN9CFMUICtrl6NotifyEjPcji",
                  "_ZN9CFMUICtrl14MessageHandlerE12CUIMediaType13CUICtrlCmdSetPvS2_S2_",
                  "_ZTV9CFMUICtrl",
                  "_ZTI9CFMUICtrl",
                  "_ZN11CFM_WRAPPERC1Ev",
                  "_ZN11CFM_WRAPPERD0Ev",
                  "_ZN11CFM_WRAPPERD1Ev",
                  "_ZN11CFM_WRAPPER7CommandEjPviS0_i",
                  "_ZN11CFM_WRAPPER11SetCallbackEPFiiPKcjiE",
                  "_ZTV11CFM_WRAPPER",
                  "_ZTI11CFM_WRAPPER",
              }),
              Names{});
}

}  // namespace
