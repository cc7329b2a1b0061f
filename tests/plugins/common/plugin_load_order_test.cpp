// Either plug-in can be loaded first and both engine tables build every wrapper
// kind: the TV engine (14) and the FM engine (17) are found by name in the
// other plug-in, the disc engine (12) comes from the player library. Each
// order runs in its own child process, since a loaded library stays loaded.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "interfaces/media_types.h"

namespace {

using CreateFn = int (*)(int, unsigned*);
using DestroyFn = int (*)(unsigned*);

// Creates and destroys the three wrapper kinds through one library's table;
// the number of failures.
int BuildEveryKind(void* library, const char* name) {
    auto create = reinterpret_cast<CreateFn>(dlsym(library, "CreateMediaWrapper"));
    auto destroy = reinterpret_cast<DestroyFn>(dlsym(library, "DestroyMediaWrapper"));
    if (!create || !destroy) {
        std::fprintf(stderr, "%s: no engine table\n", name);
        return 1;
    }
    int failures = 0;
    for (int type : {kMediaDiscPlayer, kMediaTv, kMediaFm}) {
        unsigned handle = 0;
        if (create(type, &handle) != 0 || handle == 0) {
            std::fprintf(stderr, "%s: type %d not built\n", name, type);
            ++failures;
            continue;
        }
        destroy(&handle);
    }
    return failures;
}

// By full path: under a sanitizer the loader searches on behalf of its
// runtime, not of this program.
void* OpenPlugin(const char* name) {
    const std::string path = std::string(PLUGIN_FOLDER) + "/" + name;
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void LoadInOrderAndBuild(const char* first, const char* second) {
    void* a = OpenPlugin(first);
    if (!a) {
        std::fprintf(stderr, "%s\n", dlerror());
        std::_Exit(2);
    }
    void* b = OpenPlugin(second);
    if (!b) {
        std::fprintf(stderr, "%s\n", dlerror());
        std::_Exit(2);
    }
    const int failures = BuildEveryKind(a, first) + BuildEveryKind(b, second);
    std::_Exit(failures == 0 ? 0 : 1);
}

class PluginLoadOrder : public ::testing::Test {
  protected:
    void SetUp() override {
        // The wrappers touch the settings store and the mixer: keep them away
        // from the user's files and devices.
        char pattern[] = "/tmp/loadorder.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        setenv("SOLVANE_SETTINGS_DIR", dir_.c_str(), 1);
        // The test process itself never loads a plug-in, so a child forked
        // without exec starts clean (and no exec works under an emulator too).
        GTEST_FLAG_SET(death_test_style, "fast");
    }
    void TearDown() override {
        std::string command = "rm -rf '" + dir_ + "'";
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << "cannot remove " << dir_;
    }
    std::string dir_;
};

TEST_F(PluginLoadOrder, TvFirstThenFmBuildsEveryWrapperFromBothTables) {
    EXPECT_EXIT(LoadInOrderAndBuild("libtelvira.so", "libsonidra.so"), ::testing::ExitedWithCode(0),
                "");
}

TEST_F(PluginLoadOrder, FmFirstThenTvBuildsEveryWrapperFromBothTables) {
    EXPECT_EXIT(LoadInOrderAndBuild("libsonidra.so", "libtelvira.so"), ::testing::ExitedWithCode(0),
                "");
}

}  // namespace
