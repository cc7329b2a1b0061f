// The three deliverables load on their own, as a host would load them.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

namespace {

void* Load(const char* name) {
    return dlopen((std::string(LIB_DIR) + "/" + name).c_str(), RTLD_NOW);
}

TEST(LibrariesLoad, EachDeliverableLoadsAndUnloads) {
    for (const char* name : {"libmirova.so", "libtelvira.so", "libsonidra.so"}) {
        void* handle = Load(name);
        ASSERT_NE(handle, nullptr) << name << ": " << dlerror();
        EXPECT_EQ(dlclose(handle), 0) << name;
    }
}

}  // namespace
