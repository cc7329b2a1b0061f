// A TV controller driven as the host drives it: created, given its host
// callback and engine, then fed keys and messages, each waited for.
#pragma once

#include <memory>

#include "plugins/tv/tv_controller.h"
#include "plugins/tv/tv_settings_keys.h"
#include "plugins/tv/tv_ui_ctrl.h"
#include "tests/plugins/tv/tv_test_support.h"

namespace tvtest {

class TvSession : public TvWorld {
  protected:
    void SetUp() override {
        TvWorld::SetUp();
        // Most tests start on a known channel list instead of a scan.
        if (StartWithStoredList()) {
            StoreChannelList(125, {1, 2, 4, 6, 8, 9, 10, 12, 21, 27, 40, 55, 63, 88, 101, 124});
        }
    }
    void TearDown() override {
        ui_.reset();
        TvWorld::TearDown();
    }

    virtual bool StartWithStoredList() const { return true; }

    static void StoreChannelList(int count, const std::vector<int>& found) {
        std::string list(static_cast<size_t>(count), '0');
        for (int slot : found) list[static_cast<size_t>(slot)] = '1';
        setRegStr(kKeyChannelList, list.c_str());
    }

    void Create() {
        ui_ = std::make_unique<CTVUICtrl>();
        ui_->Notify(1, reinterpret_cast<char*>(&HostCalls::Record), 0, 0);
        ui_->Notify(0, nullptr, 0, 0);
    }
    // Creates the controller and starts TV with 'q'.
    void CreateAndStart() {
        Create();
        Key("q");
        ASSERT_TRUE(Tv().tvStarted);
    }

    // Sends a key (value 1: committed) and waits until it has been handled.
    void Key(const std::string& key, int value = 1) {
        std::string bytes = key;
        ui_->Notify(2, &bytes[0], static_cast<unsigned>(bytes.size()), value);
        ASSERT_TRUE(Tv().WaitIdle(20000)) << "key " << key;
    }
    void Message(int command, int p1, int p2 = 0, void* p3 = nullptr) {
        ui_->MessageHandler(kMediaTv, static_cast<CUICtrlCmdSet>(command), p1, p2, p3);
        ASSERT_TRUE(Tv().WaitIdle(20000));
    }
    TvController& Tv() { return ui_->Controller(); }

    // Reads a controller field under its lock.
    template <typename Fn>
    auto Read(Fn fn) {
        std::lock_guard<std::recursive_mutex> guard(Tv().serial);
        return fn(Tv());
    }
    std::string LastLine(const std::string& prefix) {
        const auto lines = hostsim::JournalFind(prefix);
        return lines.empty() ? std::string() : lines.back();
    }

    std::unique_ptr<CTVUICtrl> ui_;
};

}  // namespace tvtest
