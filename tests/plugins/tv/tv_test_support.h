// Shared set-up of the TV plug-in tests: a fresh working directory and settings
// folder per test, the simulated tuner and host reset, a fake mixer, a host
// callback that records what it receives, and condition waits.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "plugins/common/oss_mixer.h"
#include "plugins/common/upgrade_notice.h"
#include "sim/host/host_journal.h"
#include "sim/tuner/sim_tuner.h"
#include "tests/plugins/common/wait_until.h"

namespace tvtest {

using plugintest::WaitUntil;

// The fake mixer: what was read and written.
struct FakeMixer {
    static inline std::atomic<bool> present{true};
    static inline std::atomic<int> reported{0x1020};
    static inline std::atomic<int> written{-1};
    static inline std::atomic<int> opens{0};
    static int Open(const char*) {
        ++opens;
        return present.load() ? 7 : -1;
    }
    static int Read(int, int* word) {
        *word = reported.load();
        return 0;
    }
    static int Write(int, int word) {
        written.store(word);
        return 0;
    }
    static void Close(int) {}
    static void Reset() {
        present = true;
        reported = 0x1020;
        written = -1;
        opens = 0;
    }
};
inline const MixerOps kFakeMixerOps{FakeMixer::Open, FakeMixer::Read, FakeMixer::Write,
                                    FakeMixer::Close};

// Host callback calls, "a b c d e".
struct HostCalls {
    static inline std::mutex lock;
    static inline std::vector<std::string> calls;
    static int Record(int a, int b, int c, int d, int e) {
        std::lock_guard<std::mutex> guard(lock);
        std::ostringstream line;
        line << a << ' ' << b << ' ' << c << ' ' << d << ' ' << e;
        calls.push_back(line.str());
        return 0;
    }
    static bool Has(const std::string& call) {
        std::lock_guard<std::mutex> guard(lock);
        for (const auto& c : calls) {
            if (c == call) return true;
        }
        return false;
    }
    static void Clear() {
        std::lock_guard<std::mutex> guard(lock);
        calls.clear();
    }
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// A fresh world per test: temp working directory and settings folder.
class TvWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tvtest.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        oldCwd_ = cwd;
        ASSERT_EQ(chdir(dir_.c_str()), 0);
        setenv("SOLVANE_SETTINGS_DIR", (dir_ + "/settings").c_str(), 1);
        setenv("SIM_TUNER_EVENT_MS", "0", 1);
        unsetenv("SIM_TUNER_CHANNELS");
        sim_tuner_reset();
        sim_settings_reload();
        hostsim::ResetAll();
        FakeMixer::Reset();
        SetMixerOps(&kFakeMixerOps);
        SetNoticeDelayMs(20);
        HostCalls::Clear();
    }
    void TearDown() override {
        SetMixerOps(nullptr);
        sim_tuner_reset();
        if (chdir(oldCwd_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << oldCwd_;
        std::string command = "rm -rf '" + dir_ + "'";
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << "cannot remove " << dir_;
    }

    std::string dir_;
    std::string oldCwd_;
};

}  // namespace tvtest
