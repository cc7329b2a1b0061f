// Loads libtelvira as a host does and talks to its controller.
#include "apps/tv_session.h"

#include "apps/host_events.h"
#include "apps/plugin_loader.h"
#include "interfaces/host_framework.h"
#include "sim/host/host_journal.h"

namespace host {
namespace {

constexpr char kTvLibrary[] = "libtelvira.so";
constexpr char kTvFactory[] = "ZaqCreateTvController";

enum NotifyType : unsigned { kCreateEngine = 0, kHostCallback = 1, kKey = 2, kSleepMinutes = 24 };

}  // namespace

TvSession::~TvSession() {
    Close();
}

bool TvSession::Open() {
    ResetHostEvents();
    controller_ = CreateController(kTvLibrary, kTvFactory);
    if (!controller_) return false;
    controller_->Notify(kHostCallback, reinterpret_cast<char*>(&OnHostEvent), 0, 0);
    controller_->Notify(kCreateEngine, nullptr, 0, 0);
    return true;
}

void TvSession::SendKey(const std::string& key, int value) {
    if (!controller_ || key.empty()) return;
    std::string bytes = key;
    controller_->Notify(kKey, &bytes[0], static_cast<unsigned>(bytes.size()), value);
}

void TvSession::SendMenuEvent(int code, int subCommand, int argument) {
    hostsim::MenuSendEventFor(kMediaTv, code, nullptr, static_cast<unsigned>(argument), subCommand);
}

void TvSession::SendSleepMinutes(int minutes) {
    if (controller_) controller_->Notify(kSleepMinutes, nullptr, 0, minutes);
}

void TvSession::Close() {
    delete controller_;
    controller_ = nullptr;
}

}  // namespace host
