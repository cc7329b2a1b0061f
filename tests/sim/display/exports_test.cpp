// The stand-ins' exported names, as a packager would list them, against the
// binding tables of the renderers; their loading and real unloading; and the
// seam copies that lack one name.
#include <dlfcn.h>
#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "tests/sim/display/display_fixture.h"
#include "video/render/vendor/intel_calls.h"
#include "video/render/vendor/nvidia_calls.h"
#include "video/render/vendor/radeon_calls.h"
#include "video/render/vendor/s3_calls.h"
#include "video/render/vendor/sis_calls.h"
#include "video/render/vendor/via_calls.h"

namespace {

using displaytest::StandInTest;

std::string Built(const char* library) {
    return std::string(sim_display_stand_in_folder()) + "/" + library;
}

// The names `nm -D --defined-only` lists.
std::set<std::string> DefinedNames(const std::string& path) {
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only '" + path + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (pipe == nullptr) return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
        char address[64], kind[8], name[400];
        if (std::sscanf(line, "%63s %7s %399s", address, kind, name) == 3) names.insert(name);
    }
    return names;
}

std::set<std::string> TableNames(const VendorLibrarySpec& spec) {
    return std::set<std::string>(spec.names, spec.names + spec.nameCount);
}

struct Expected {
    const char* library;
    const VendorLibrarySpec& spec;
    size_t count;
};

TEST(StandInExports, EachLibraryListsExactlyItsTableNames) {
    const Expected libraries[] = {
        {"libI865G.so", IntelOverlayLibrary(false), 21},
        {"libI915G.so", IntelOverlayLibrary(true), 21},
        {"libs3g.so", S3OverlayLibrary(), 15},
        {"libddmpeg.so", ViaDriverLibrary(), 1},
        {"libdv.so", SisVideoLibrary(), 12},
        {"libradeonov.so", RadeonOverlayLibrary(), 16},
        {"libNVDLL.so", NvidiaVideoLibrary(), 23},
    };
    for (const Expected& e : libraries) {
        const std::set<std::string> listed = DefinedNames(Built(e.library));
        EXPECT_EQ(listed, TableNames(e.spec)) << e.library;
        EXPECT_EQ(listed.size(), e.count) << e.library;
    }
}

TEST(StandInExports, TheDisplayControllerIsALibraryOfItsOwn) {
    // The stand-ins need the controller; none of them carries its control.
    const std::set<std::string> controller = DefinedNames(Built("libsimdisplay.so"));
    EXPECT_EQ(controller.count("sim_display_reset"), 1u);
    EXPECT_EQ(controller.count("sim_display_scan_out"), 1u);
    EXPECT_EQ(DefinedNames(Built("libI915G.so")).count("sim_display_reset"), 0u);
}

class StandInLoading : public StandInTest {};

TEST_F(StandInLoading, EveryStandInIsReallyUnloadedByItsLastClose) {
    for (const char* library : {"libI865G.so", "libI915G.so", "libs3g.so", "libddmpeg.so",
                                "libdv.so", "libradeonov.so", "libNVDLL.so"}) {
        sim_display_journal_clear();
        const std::string path = root_ + "/usr/lib/" + library;
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        EXPECT_EQ(sim_display_library_loaded(library), 1) << library;
        ASSERT_EQ(dlclose(handle), 0);
        EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr)
            << library << " stayed mapped after its last dlclose";
        EXPECT_EQ(sim_display_library_loaded(library), 0) << library;
        EXPECT_THAT(SimDisplayJournal(), ::testing::ElementsAre(std::string("load ") + library,
                                                                std::string("unload ") + library));
    }
}

TEST_F(StandInLoading, UnloadingReleasesTheSurfacesTheLibraryMade) {
    IntelOverlayCalls calls;
    Bind(IntelOverlayLibrary(true), &calls);
    ASSERT_NE(calls.createSurface(64, 32, 16), 0u);
    ASSERT_NE(calls.createSurface(64, 32, 16), 0u);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 2);
    library_.Close();
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
}

TEST_F(StandInLoading, ACopyWithoutOneNameStillLoadsButLacksJustThatName) {
    ASSERT_EQ(sim_display_install_library(root_.c_str(), "/usr/local/lib", "libI915G.so",
                                          "MCTVColorBarTest__Fi"),
              0);
    const std::string path = root_ + "/usr/local/lib/libI915G.so";
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    EXPECT_EQ(dlsym(handle, "MCTVColorBarTest__Fi"), nullptr);
    EXPECT_NE(dlsym(handle, "MCTVConnector__Fv"), nullptr);
    EXPECT_NE(dlsym(handle, "MCInitLib__Fv"), nullptr);
    dlclose(handle);
}

TEST_F(StandInLoading, ANameTheLibraryDoesNotExportCannotBeRemoved) {
    EXPECT_EQ(sim_display_install_library(root_.c_str(), "/usr/lib", "libdv.so", "RadeonInit"), -1);
}

}  // namespace
