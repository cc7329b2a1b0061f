// The plug-ins' exported classes answer each slot as a host built elsewhere
// calls it: the controllers' Notify in the third slot and their deletion in the
// second, the wrappers' Command and SetCallback in the third and fourth. The
// objects are made by name, as the host and the other plug-in make them, and
// then called by position only.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "interfaces/host_framework.h"
#include "plugins/fm/fm_ui_ctrl.h"
#include "plugins/fm/fm_wrapper.h"
#include "plugins/tv/dvr_wrapper.h"
#include "plugins/tv/tv_ui_ctrl.h"
#include "sim/host/host_journal.h"
#include "sim/tuner/sim_tuner.h"
#include "tests/abi/vtable_slots.h"

namespace {

using abitest::CallSlot;

std::mutex gLock;
std::vector<std::string> gHostCalls;

int RecordHost(int a, int b, int c, int d, int e) {
    std::lock_guard<std::mutex> guard(gLock);
    gHostCalls.push_back(std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) +
                         " " + std::to_string(d) + " " + std::to_string(e));
    return 0;
}

bool HostWasCalledWith(const std::string& call) {
    std::lock_guard<std::mutex> guard(gLock);
    for (const std::string& c : gHostCalls)
        if (c == call) return true;
    return false;
}

std::atomic<int> gEngineCode{-1};
int RecordEngine(int code, const char*, unsigned, int) {
    gEngineCode = code;
    return 0;
}

// A fresh working directory and settings folder, no mixer device.
class PluginSlots : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/abislots.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        oldCwd_ = cwd;
        ASSERT_EQ(chdir(dir_.c_str()), 0);
        setenv("SOLVANE_SETTINGS_DIR", (dir_ + "/settings").c_str(), 1);
        setenv("RAVELOHOME", dir_.c_str(), 1);
        setenv("ZAQ_MIXER_DEVICE", (dir_ + "/no-mixer").c_str(), 1);
        sim_tuner_reset();
        sim_settings_reload();
        hostsim::ResetAll();
        std::lock_guard<std::mutex> guard(gLock);
        gHostCalls.clear();
    }
    void TearDown() override {
        sim_tuner_reset();
        if (chdir(oldCwd_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << oldCwd_;
        const std::string command = "rm -rf '" + dir_ + "'";
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << "cannot remove " << dir_;
    }

    // Notify type 1 through the third slot hands over the host callback.
    static void HandOverHostCallback(CUICTRL* controller) {
        EXPECT_EQ((CallSlot<int, unsigned, char*, unsigned, int>(
                      controller, 2, 1u, reinterpret_cast<char*>(&RecordHost), 0u, 0)),
                  0);
    }

    std::string dir_;
    std::string oldCwd_;
};

TEST_F(PluginSlots, TvControllerNotifiesThroughTheThirdSlotAndIsDeletedThroughTheSecond) {
    CUICTRL* controller = new CTVUICtrl();
    HandOverHostCallback(controller);
    EXPECT_TRUE(HostWasCalledWith("8 7 0 0 0"));
    CallSlot<void>(controller, 1);
    EXPECT_TRUE(HostWasCalledWith("8 8 0 0 0"));
    // Its destructor deleted the menu and released the registration by their slots.
    EXPECT_TRUE(hostsim::JournalContains("menu-destroy TV"));
    EXPECT_TRUE(hostsim::JournalContains("registration release"));
}

TEST_F(PluginSlots, FmControllerNotifiesThroughTheThirdSlotAndIsDeletedThroughTheSecond) {
    CUICTRL* controller = new CFMUICtrl();
    HandOverHostCallback(controller);
    EXPECT_TRUE(HostWasCalledWith("11 7 0 0 0"));
    CallSlot<void>(controller, 1);
    EXPECT_TRUE(HostWasCalledWith("11 8 0 0 0"));
    EXPECT_TRUE(hostsim::JournalContains("menu-destroy FM"));
    EXPECT_TRUE(hostsim::JournalContains("registration release"));
}

TEST_F(PluginSlots, FmWrapperTakesCommandsInTheThirdSlotAndItsCallbackInTheFourth) {
    CMEDIA_WRAPPER* wrapper = new CFM_WRAPPER();
    EXPECT_EQ((CallSlot<int, MediaEventCallback>(wrapper, 3, &RecordEngine)), 0);
    int next = -1;
    EXPECT_EQ((CallSlot<int, unsigned, void*, int, void*, int>(
                  wrapper, 2, 40u, reinterpret_cast<void*>(intptr_t(100)), 0, &next, 4)),
              0);
    EXPECT_EQ(next, 102);
    gEngineCode = -1;
    CallSlot<int, unsigned, void*, int, void*, int>(wrapper, 2, 86u, nullptr, 0, nullptr, 0);
    EXPECT_EQ(gEngineCode.load(), 13) << "closing reports through the callback of slot 3";
    CallSlot<void>(wrapper, 1);
}

TEST_F(PluginSlots, TvWrapperTakesCommandsInTheThirdSlotAndItsCallbackInTheFourth) {
    CMEDIA_WRAPPER* wrapper = new CDVR_WRAPPER();
    EXPECT_EQ((CallSlot<int, MediaEventCallback>(wrapper, 3, &RecordEngine)), 0);
    int count = 42;
    // The channel count with the tuner closed: refused, and the out value says so.
    EXPECT_EQ(
        (CallSlot<int, unsigned, void*, int, void*, int>(wrapper, 2, 30u, nullptr, 0, &count, 4)),
        -1);
    EXPECT_EQ(count, -1);
    CallSlot<void>(wrapper, 1);
}

}  // namespace
