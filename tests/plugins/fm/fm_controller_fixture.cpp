// The controller fixture: the world reset, the host callback, keys and waits.
#include "tests/plugins/fm/fm_controller_fixture.h"

#include <unistd.h>

#include <mutex>

#include "tests/plugins/fm/fm_test_support.h"

namespace fmtest {
namespace {

std::mutex g_hostMutex;
std::vector<std::pair<int, int>> g_hostCalls;

int RecordHostCall(int a, int b, int c, int, int) {
    std::lock_guard<std::mutex> lock(g_hostMutex);
    EXPECT_EQ(a, 11);
    g_hostCalls.emplace_back(b, c);
    return 0;
}

// Whether a flip follows the widget flush numbered `flushes` (from 0).
bool FlipAfterFlush(const std::vector<std::string>& lines, size_t flushes) {
    size_t seen = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("widget-flush 0", 0) != 0 || seen++ < flushes) continue;
        for (size_t j = i + 1; j < lines.size(); ++j)
            if (lines[j] == "painter flip") return true;
        return false;
    }
    return false;
}

}  // namespace

std::vector<std::pair<int, int>> HostCalls() {
    std::lock_guard<std::mutex> lock(g_hostMutex);
    return g_hostCalls;
}

bool WaitForHostCall(int code) {
    return WaitUntil([code] {
        for (const auto& call : HostCalls())
            if (call.first == code) return true;
        return false;
    });
}

void FmControllerTest::SetUp() {
    ASSERT_EQ(chdir(FM_SKIN_DIR), 0);
    ResetWorld();
    std::lock_guard<std::mutex> lock(g_hostMutex);
    g_hostCalls.clear();
}

void FmControllerTest::TearDown() {
    Destroy();
}

void FmControllerTest::Create() {
    controller_ = std::make_unique<CFMUICtrl>();
    controller_->Notify(1, reinterpret_cast<char*>(&RecordHostCall), 0, 0);
    controller_->Notify(0, nullptr, 0, 0);
}

void FmControllerTest::CreateAndStart() {
    // Counted from here: an earlier controller of the same test set the volume too.
    const int before = sim_tuner_journal_count("ZAQ_SetProperty 34");
    Create();
    Key("q");
    ASSERT_TRUE(WaitForTuner("ZAQ_SetProperty 34", before + 1));
    Settle();
}

void FmControllerTest::Destroy() {
    controller_.reset();
}

void FmControllerTest::Key(const std::string& key) {
    std::string copy = key;
    controller_->Notify(2, &copy[0], static_cast<unsigned>(copy.size()), 1);
}

void FmControllerTest::Typing(const std::string& digits) {
    std::string copy = digits;
    controller_->Notify(2, &copy[0], static_cast<unsigned>(copy.size()), 0);
}

void FmControllerTest::MenuEvent(int code, unsigned len, int value) {
    ASSERT_GE(hostsim::MenuSendEventFor(kMediaFm, code, nullptr, len, value), 0);
}

bool FmControllerTest::WaitForFrequency(const std::string& text) {
    return WaitUntil([&] { return hostsim::CurrentState().fmFrequency == text; });
}

bool FmControllerTest::WaitForTuned(const std::string& text) {
    return WaitUntil([&] {
        const hostsim::State state = hostsim::CurrentState();
        return state.fmFrequency == text && state.frequencyFlag == 0;
    });
}

bool FmControllerTest::WaitForHost(const std::string& prefix) {
    return hostsim::JournalWaitFor(prefix, 10000);
}

bool FmControllerTest::WaitForTuner(const std::string& prefix, int count) {
    return WaitUntil([&] { return sim_tuner_journal_count(prefix.c_str()) >= count; });
}

void FmControllerTest::Settle() {
    // The UI thread handles one node per pass in order: once a marker key is handled,
    // everything before it is too. A refused or ignored key leaves no trace, so the
    // marker is a redraw request that the screen answers with a panel update and
    // ends with a flip: the marker is handled once that flip follows its update.
    const size_t before = hostsim::JournalCount("widget-flush 0");
    MenuEvent(3, 0, 113);
    ASSERT_TRUE(WaitUntil([&] { return FlipAfterFlush(hostsim::JournalSnapshot(), before); }));
}

bool FmControllerTest::OfferKeyAfterSeek(const std::string& key,
                                         const std::function<bool()>& taken) {
    for (int tries = 0; tries < 1000; ++tries) {
        if (taken()) return true;
        Key(key);
        Settle();
    }
    return taken();
}

void FmControllerTest::ClearJournals() {
    hostsim::JournalClear();
    sim_tuner_journal_clear();
}

SimTunerState FmControllerTest::Tuner() {
    SimTunerState state{};
    sim_tuner_get_state(&state);
    return state;
}

std::vector<std::string> FmControllerTest::HostLines(const std::string& prefix) {
    return hostsim::JournalFind(prefix);
}

}  // namespace fmtest
