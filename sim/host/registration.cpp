// The registration object a controller gets from CZAQRegisterFactory: item lists
// and the event callback the host reports through.
#include <algorithm>
#include <mutex>

#include "sim/host/host_world.h"
#include "sim/host/stored_value.h"

namespace hostsim {
namespace {

class Registration;

// Live registrations, newest last, so tests can reach their callbacks.
struct Registry {
    std::mutex mutex;
    std::vector<Registration*> live;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

template <typename Item>
int FillFrom(const std::map<int, std::vector<Item>>& groups, int group, std::vector<Item>& out) {
    out.clear();
    for (const auto& [number, items] : groups) {
        if (group >= 0 && number != group) continue;
        out.insert(out.end(), items.begin(), items.end());
    }
    for (auto& item : out) item.value = StoredIntOr(item.key.c_str(), item.value);
    return static_cast<int>(out.size());
}

std::vector<CZAQPictureItem> PictureItems(int group) {
    std::vector<CZAQPictureItem> items;
    std::map<int, std::vector<CZAQPictureItem>> groups;
    WithConfig([&](Config& config) { groups = config.pictureItems; });
    FillFrom(groups, group, items);
    return items;
}

std::vector<CZAQTunerItem> TunerItems(int group) {
    std::vector<CZAQTunerItem> items;
    std::map<int, std::vector<CZAQTunerItem>> groups;
    WithConfig([&](Config& config) { groups = config.tunerItems; });
    FillFrom(groups, group, items);
    return items;
}

constexpr int kAllGroups = -1;

class Registration final : public CZAQRegistration {
  public:
    Registration() {
        std::lock_guard<std::mutex> lock(TheRegistry().mutex);
        TheRegistry().live.push_back(this);
    }

    int FillPictureItems(std::vector<CZAQPictureItem>& items) override {
        items = PictureItems(kAllGroups);
        Record("registration fill-picture " + std::to_string(items.size()));
        return static_cast<int>(items.size());
    }

    int FillPictureGroupItems(std::vector<CZAQPictureItem>& items, int group) override {
        items = PictureItems(group);
        Record("registration fill-picture-group " + std::to_string(group) + " " +
               std::to_string(items.size()));
        return static_cast<int>(items.size());
    }

    int FillTunerItems(std::vector<CZAQTunerItem>& items) override {
        items = TunerItems(kAllGroups);
        Record("registration fill-tuner " + std::to_string(items.size()));
        return static_cast<int>(items.size());
    }

    int FillTunerGroupItems(std::vector<CZAQTunerItem>& items, int group) override {
        items = TunerItems(group);
        Record("registration fill-tuner-group " + std::to_string(group) + " " +
               std::to_string(items.size()));
        return static_cast<int>(items.size());
    }

    int InstallCallback(int command, MediaEventCallback callback, int, int, int) override {
        Record("registration callback " + std::to_string(command));
        std::lock_guard<std::mutex> lock(TheRegistry().mutex);
        callback_ = callback;
        return 0;
    }

    void Release() override {
        Record("registration release");
        delete this;
    }

    MediaEventCallback CallbackLocked() const { return callback_; }

  private:
    ~Registration() override {
        std::lock_guard<std::mutex> lock(TheRegistry().mutex);
        auto& live = TheRegistry().live;
        live.erase(std::remove(live.begin(), live.end(), this), live.end());
    }

    MediaEventCallback callback_ = nullptr;
};

}  // namespace

int RegistrationSendEvent(int code, const char* data, unsigned len, int value) {
    MediaEventCallback callback = nullptr;
    {
        std::lock_guard<std::mutex> lock(TheRegistry().mutex);
        for (auto it = TheRegistry().live.rbegin(); it != TheRegistry().live.rend(); ++it) {
            callback = (*it)->CallbackLocked();
            if (callback) break;
        }
    }
    // Called outside the lock: the controller may call back into the host.
    return callback ? callback(code, data, len, value) : -1;
}

}  // namespace hostsim

CZAQRegistration::~CZAQRegistration() = default;

// The host's own entries: journalled, so a caller that reaches one by mistake shows.
int CZAQRegistration::HostReserved5() {
    hostsim::Record("registration reserved-5");
    return 0;
}

int CZAQRegistration::HostReserved6() {
    hostsim::Record("registration reserved-6");
    return 0;
}

int CZAQRegistration::HostReserved7() {
    hostsim::Record("registration reserved-7");
    return 0;
}

CZAQRegistration* CZAQRegisterFactory::RegisterFactory(CUIMediaType type) {
    hostsim::Record("register " + std::to_string(static_cast<int>(type)));
    // Ownership passes to the caller, who ends it with Release.
    return new hostsim::Registration();
}
