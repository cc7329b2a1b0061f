// The host's shared configuration, current state and counted shared objects.
#include <mutex>

#include "sim/host/host_world.h"

namespace hostsim {
namespace {

struct World {
    World() { state.language = config.preferredLanguage; }
    std::mutex mutex;
    Config config = DefaultConfig();
    State state;
    std::map<std::string, int> holders;
};

World& TheWorld() {
    static World world;
    return world;
}

}  // namespace

void WithConfig(const std::function<void(Config&)>& fn) {
    World& world = TheWorld();
    std::lock_guard<std::mutex> lock(world.mutex);
    fn(world.config);
}

void WithState(const std::function<void(State&)>& fn) {
    World& world = TheWorld();
    std::lock_guard<std::mutex> lock(world.mutex);
    fn(world.state);
}

int Acquire(const std::string& object) {
    World& world = TheWorld();
    std::lock_guard<std::mutex> lock(world.mutex);
    return ++world.holders[object];
}

int Drop(const std::string& object) {
    World& world = TheWorld();
    std::lock_guard<std::mutex> lock(world.mutex);
    auto it = world.holders.find(object);
    if (it == world.holders.end() || it->second == 0) return -1;
    return --it->second;
}

void SetScreen(const Screen& screen) {
    WithConfig([&](Config& config) { config.screen = screen; });
    ApplyScreenToDriver(screen);
}

Screen GetScreen() {
    Screen screen;
    WithConfig([&](Config& config) { screen = config.screen; });
    return screen;
}

void SetPartitions(const std::vector<Partition>& partitions) {
    WithConfig([&](Config& config) { config.partitions = partitions; });
}

void SetPatches(const std::vector<Patch>& patches) {
    WithConfig([&](Config& config) { config.patches = patches; });
}

void SetInstalledVersion(bool known, int major, int minor, int build) {
    WithConfig([&](Config& config) {
        config.versionKnown = known;
        config.version[0] = major;
        config.version[1] = minor;
        config.version[2] = build;
    });
}

void SetLanguages(int preferred, int current) {
    WithConfig([&](Config& config) { config.preferredLanguage = preferred; });
    WithState([&](State& state) { state.language = current; });
}

void SetPictureItems(int group, const std::vector<CZAQPictureItem>& items) {
    WithConfig([&](Config& config) { config.pictureItems[group] = items; });
}

void SetTunerItems(int group, const std::vector<CZAQTunerItem>& items) {
    WithConfig([&](Config& config) { config.tunerItems[group] = items; });
}

void ResetAll() {
    World& world = TheWorld();
    {
        std::lock_guard<std::mutex> lock(world.mutex);
        world.config = DefaultConfig();
        bool panelHeld = world.holders["panel"] > 0;
        world.state = State{};
        world.state.panelOpen = panelHeld;
        world.state.language = world.config.preferredLanguage;
    }
    ApplyScreenToDriver(Screen{});
    CZaqUpgradeManager::m_sCDriveDeviceMountPoint.clear();
    CZaqUpgradeManager::m_sLoopbackDevice.clear();
    JournalClear();
}

State CurrentState() {
    State copy;
    WithState([&](State& state) { copy = state; });
    return copy;
}

}  // namespace hostsim
