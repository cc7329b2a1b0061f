// Each library loaded and unloaded a hundred times, as a host that opens and
// closes its plug-ins does: after every dlclose nothing of it (or of what it
// pulled in) stays mapped, and the process has the threads it had before. The
// plug-ins also build a controller and its engine and delete them each time,
// so the threads they start must end with their owners.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "interfaces/host_framework.h"
#include "tests/support/process_census.h"

namespace {

constexpr int kCycles = 100;
const char* const kEveryLibrary[] = {"libtelvira.so", "libsonidra.so", "libmirova.so",
                                     "libravelo.so",  "libtonvex.so",  "libsolvane.so"};

std::string PathOf(const char* name) {
    return std::string(LIB_DIR) + "/" + name;
}

// Names of the project's libraries still mapped into the process.
std::vector<std::string> MappedLibraries() {
    std::vector<std::string> mapped;
    for (const char* name : kEveryLibrary) {
        if (IsMapped(name)) mapped.push_back(name);
    }
    return mapped;
}

class LibraryCycles : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/plugin-unload-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        settings_ = pattern;
        setenv("SOLVANE_SETTINGS_DIR", settings_.c_str(), 1);
        setenv("RAVELOHOME", settings_.c_str(), 1);
        // The controllers open their skins relative to the working directory.
        ASSERT_EQ(chdir(SKIN_DIR), 0);
        ASSERT_TRUE(MappedLibraries().empty());
        // One cycle first: a sanitizer runtime (or an emulator) may start a
        // helper thread of its own on the first load, which stays; a thread of
        // the cycle that is only slow to go is gone within the patience.
        const int unloaded = ThreadCount();
        Cycle("libmirova.so", nullptr);
        before_ = ThreadCountSettlingAt(unloaded, std::chrono::seconds(2));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(settings_, ignored);
    }

    // Loads name, builds and deletes a controller through factory (when given),
    // unloads; false (with a failure) when something is left.
    bool Cycle(const char* name, const char* factory) {
        void* library = dlopen(PathOf(name).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            ADD_FAILURE() << dlerror();
            return false;
        }
        if (factory != nullptr) {
            auto create = reinterpret_cast<CUICTRL* (*)()>(dlsym(library, factory));
            if (create == nullptr) {
                ADD_FAILURE() << name << " has no " << factory;
                dlclose(library);
                return false;
            }
            CUICTRL* controller = create();
            controller->Notify(0, nullptr, 0, 0);  // its engine
            delete controller;
        }
        if (dlclose(library) != 0) {
            ADD_FAILURE() << dlerror();
            return false;
        }
        return true;
    }

    void Hundred(const char* name, const char* factory) {
        for (int i = 0; i < kCycles; ++i) {
            ASSERT_TRUE(Cycle(name, factory)) << "cycle " << i;
            ASSERT_EQ(dlopen(PathOf(name).c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr)
                << name << " stayed loaded after cycle " << i;
            ASSERT_EQ(MappedLibraries(), std::vector<std::string>{}) << "after cycle " << i;
            ASSERT_EQ(ThreadCountSettlingAt(before_), before_) << name << ", cycle " << i;
        }
    }

    std::string settings_;
    int before_ = 0;
};

TEST_F(LibraryCycles, TvPluginWithItsControllerUnloadsEveryTime) {
    Hundred("libtelvira.so", "ZaqCreateTvController");
}

TEST_F(LibraryCycles, FmPluginWithItsControllerUnloadsEveryTime) {
    Hundred("libsonidra.so", "ZaqCreateFmController");
}

TEST_F(LibraryCycles, VideoLibraryUnloadsEveryTime) {
    Hundred("libmirova.so", nullptr);
}

TEST_F(LibraryCycles, StandInsUnloadEveryTime) {
    for (const char* name : {"libravelo.so", "libtonvex.so", "libsolvane.so"}) {
        SCOPED_TRACE(name);
        Hundred(name, nullptr);
    }
}

// The flag that keeps GNU-unique symbols out is the compiler's; what matters is
// that no library of the project carries one.
TEST(LibrarySymbols, NoLibraryCarriesAGnuUniqueSymbol) {
    for (const char* name : kEveryLibrary) {
        const std::string command =
            "readelf -Ws --dyn-syms '" + PathOf(name) + "' | grep -c UNIQUE";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        char count[32] = {};
        const bool read = fgets(count, sizeof count, pipe) != nullptr;
        pclose(pipe);
        ASSERT_TRUE(read) << name;
        EXPECT_EQ(std::string(count), "0\n") << name;
    }
}

}  // namespace
