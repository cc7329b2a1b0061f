// Shared fixture of the host stand-in's tests.
#include "tests/sim/host/host_test_support.h"

#include <unistd.h>

#include <climits>
#include <mutex>

namespace {

std::mutex seenMutex;
std::vector<SeenEvent> seen;

}  // namespace

int RememberEvent(int code, const char* data, unsigned len, int value) {
    std::lock_guard<std::mutex> lock(seenMutex);
    seen.push_back({code, data ? std::string(data, len) : std::string(), len, value});
    return 0;
}

std::vector<SeenEvent> SeenEvents() {
    std::lock_guard<std::mutex> lock(seenMutex);
    return seen;
}

void HostTest::SetUp() {
    char directory[PATH_MAX];
    ASSERT_NE(getcwd(directory, sizeof directory), nullptr);
    previousDirectory_ = directory;
    // The plug-ins open their skins relative to the host program's folder.
    ASSERT_EQ(chdir(HOST_SKIN_DIR), 0) << HOST_SKIN_DIR;
    hostsim::ResetAll();
    std::lock_guard<std::mutex> lock(seenMutex);
    seen.clear();
}

void HostTest::TearDown() {
    ASSERT_EQ(chdir(previousDirectory_.c_str()), 0);
}
