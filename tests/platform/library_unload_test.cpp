// Loading and unloading libmirova over and over: its timer thread is started
// at load and stopped and joined at unload, so no thread is left behind.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/support/process_census.h"

namespace {

const std::string kLibrary = std::string(LIB_DIR) + "/libmirova.so";

// One cycle first: a sanitizer runtime may start a helper thread of its own
// on the first load.
int SettledThreadCount() {
    const int initial = ThreadCount();
    void* library = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library != nullptr) dlclose(library);
    return ThreadCountSettlingAt(initial, std::chrono::seconds(2));
}

TEST(LibraryUnload, HundredLoadsLeaveNoThreadBehind) {
    const int before = SettledThreadCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 100; ++i) {
        void* library = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        ASSERT_EQ(dlclose(library), 0) << i;
        ASSERT_EQ(dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr)
            << "libmirova stayed mapped after its last dlclose";
        ASSERT_EQ(ThreadCountSettlingAt(before), before) << "after cycle " << i;
    }
}

TEST(LibraryUnload, TimerThreadRunsWhileLoaded) {
    const int before = SettledThreadCount();
    void* library = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    EXPECT_EQ(ThreadCount(), before + 1);
    EXPECT_EQ(dlclose(library), 0);
    EXPECT_EQ(ThreadCountSettlingAt(before), before);
}

}  // namespace
