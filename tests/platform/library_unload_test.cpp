// Loading and unloading libmirova over and over: its timer thread is started
// at load and stopped and joined at unload, so no thread is left behind.
#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

const std::string kLibrary = std::string(LIB_DIR) + "/libmirova.so";

int ThreadCount() {
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) return -1;
    int count = 0;
    while (const dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] != '.') ++count;
    }
    closedir(tasks);
    return count;
}

// A joined thread can stay listed for a moment while the kernel reaps it, so
// the count is awaited rather than read once.
int ThreadCountSettlingAt(int expected, std::chrono::seconds patience = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    int count = ThreadCount();
    while (count != expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
        count = ThreadCount();
    }
    return count;
}

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
