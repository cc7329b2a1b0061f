// The setup menus the TV and FM factories build: each reads its layout, records every
// command it receives, keeps the callback of command 81 and reports menu events
// through it when tests or the host program ask.
//
// Menu layout lines (besides comments):
//   layout | <layout id>
//   item   | <item name> | <code> <sub-command> <argument>
// Selecting an item calls the controller's callback as (code, null, argument,
// sub-command), which the controller takes as MessageHandler(code, sub-command,
// argument).
#include <algorithm>
#include <functional>
#include <mutex>

#include "sim/host/host_world.h"
#include "sim/host/layout_file.h"
#include "sim/host/menu_words.h"

namespace {

struct MenuItem {
    std::string name;
    int code = 0;
    int subCommand = 0;
    int argument = 0;
};

}  // namespace

struct CSetupMenuMediator::Impl {
    std::string kind;
    CUIMediaType media = kMediaTv;
    hostsim::LayoutFile layout;
    std::vector<MenuItem> items;
    MediaEventCallback callback = nullptr;  // guarded by the registry's mutex
};

namespace hostsim {
namespace {

// Live menus, newest last.
struct MenuRegistry {
    std::mutex mutex;
    std::vector<CSetupMenuMediator::Impl*> live;
};

MenuRegistry& Menus() {
    static MenuRegistry registry;
    return registry;
}

std::vector<MenuItem> ReadItems(const LayoutFile& layout) {
    std::vector<MenuItem> items;
    for (const auto& line : layout.lines) {
        if (line.kind != "item" || line.fields.size() < 2) continue;
        std::vector<std::string> words = SplitWords(line.fields[1]);
        MenuItem item;
        item.name = line.fields[0];
        if (words.size() != 3 || !ParseInt(words[0], item.code) ||
            !ParseInt(words[1], item.subCommand) || !ParseInt(words[2], item.argument)) {
            continue;
        }
        items.push_back(item);
    }
    return items;
}

std::unique_ptr<CSetupMenuMediator::Impl> BuildMenu(const char* kind, CUIMediaType media,
                                                    const char* path) {
    auto impl = std::make_unique<CSetupMenuMediator::Impl>();
    impl->kind = kind;
    impl->media = media;
    std::string file = path ? path : "";
    impl->layout = ReadLayoutFile(file);
    impl->items = ReadItems(impl->layout);
    Record(std::string("menu-factory ") + kind + " " + file +
           (impl->layout.loaded ? " ok" : " missing"));
    return impl;
}

using Effect = std::function<void(const void* const*, CSetupMenuMediator::Impl&)>;

void SetCallback(const void* const* words, CSetupMenuMediator::Impl& impl) {
    std::lock_guard<std::mutex> lock(Menus().mutex);
    impl.callback = reinterpret_cast<MediaEventCallback>(const_cast<void*>(words[0]));
}

// What the menu remembers of the commands it is sent.
const std::map<unsigned, Effect>& Effects() {
    static const std::map<unsigned, Effect> effects = {
        {65, [](auto, auto&) { WithState([](State& s) { s.menuOpen = true; }); }},
        {66, [](auto, auto&) { WithState([](State& s) { s.menuOpen = false; }); }},
        {81, SetCallback},
        {90,
         [](auto w, auto&) { WithState([&](State& s) { s.menuMessage = PointedInt(w[0], 0); }); }},
        {91,
         [](auto w, auto&) { WithState([&](State& s) { s.menuMessage = PointedInt(w[0], 0); }); }},
        {92, [](auto, auto&) { WithState([](State& s) { s.menuMessage = 0; }); }},
        {159, [](auto, auto&) { WithState([](State& s) { s.scanning = false; }); }},
        {160, [](auto, auto&) { WithState([](State& s) { s.scanning = false; }); }},
        {161, [](auto, auto&) { WithState([](State& s) { s.scanning = false; }); }},
        {163,
         [](auto w, auto&) {
             WithState([&](State& s) {
                 s.scanning = true;
                 s.scanSlot = PointedInt(w[0], 0);
             });
         }},
        {184,
         [](auto w, auto&) {
             WithState([&](State& s) { s.sleepMinutes = PointedInt(w[1], s.sleepMinutes); });
         }},
    };
    return effects;
}

MediaEventCallback NewestCallback(
    const std::function<bool(const CSetupMenuMediator::Impl&)>& take) {
    std::lock_guard<std::mutex> lock(Menus().mutex);
    for (auto it = Menus().live.rbegin(); it != Menus().live.rend(); ++it) {
        if ((*it)->callback && take(**it)) return (*it)->callback;
    }
    return nullptr;
}

int Send(MediaEventCallback callback, int code, const char* data, unsigned len, int value) {
    // Called outside the lock: the controller may send menu commands back at once.
    return callback ? callback(code, data, len, value) : -1;
}

}  // namespace

int MenuSendEvent(int code, const char* data, unsigned len, int value) {
    return Send(NewestCallback([](const auto&) { return true; }), code, data, len, value);
}

int MenuSendEventFor(CUIMediaType media, int code, const char* data, unsigned len, int value) {
    auto callback = NewestCallback([&](const auto& menu) { return menu.media == media; });
    return Send(callback, code, data, len, value);
}

int MenuSelectItem(const std::string& name) {
    MenuItem chosen;
    bool found = false;
    auto callback = NewestCallback([&](const auto& menu) {
        auto it = std::find_if(menu.items.begin(), menu.items.end(),
                               [&](const MenuItem& item) { return item.name == name; });
        if (it == menu.items.end()) return false;
        chosen = *it;
        found = true;
        return true;
    });
    if (!found) return -1;
    return Send(callback, chosen.code, nullptr, static_cast<unsigned>(chosen.argument),
                chosen.subCommand);
}

}  // namespace hostsim

CSetupMenuMediator::CSetupMenuMediator(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
    std::lock_guard<std::mutex> lock(hostsim::Menus().mutex);
    hostsim::Menus().live.push_back(impl_.get());
}

CSetupMenuMediator::~CSetupMenuMediator() {
    {
        std::lock_guard<std::mutex> lock(hostsim::Menus().mutex);
        auto& live = hostsim::Menus().live;
        live.erase(std::remove(live.begin(), live.end(), impl_.get()), live.end());
    }
    hostsim::Record("menu-destroy " + impl_->kind);
}

int CSetupMenuMediator::Command(unsigned command, const void* a1, const void* a2, const void* a3,
                                const void* a4) {
    const void* const words[4] = {a1, a2, a3, a4};
    hostsim::Record("menu " + hostsim::DescribeMenuCommand(command, words));
    auto effect = hostsim::Effects().find(command);
    if (effect != hostsim::Effects().end()) effect->second(words, *impl_);
    return 0;
}

int CSetupMenuMediator::HostReserved2() {
    hostsim::Record("menu reserved-2");
    return 0;
}

int CSetupMenuMediator::Notify(unsigned type, char*, unsigned len, int value) {
    hostsim::Record("menu-notify " + std::to_string(type) + " " + std::to_string(len) + " " +
                    std::to_string(value));
    return 0;
}

void CSetupMenuMediator::SetUiCtrl(CUICTRL*) {
    hostsim::Record("menu set-uictrl");
}

bool CSetupMenuMediator::IsLayoutLoaded() const {
    return impl_->layout.loaded;
}

CSetupMenuMediator* CZAQTVSetupMenuFactory::TVSetupMenuFactory(const char* layoutPath) {
    // Ownership passes to the caller, who deletes the menu.
    return new CSetupMenuMediator(hostsim::BuildMenu("TV", kMediaTv, layoutPath));
}

CSetupMenuMediator* CZAQFMSetupMenuFactory::FMSetupMenuFactory(const char* layoutPath) {
    return new CSetupMenuMediator(hostsim::BuildMenu("FM", kMediaFm, layoutPath));
}

CUICTRL::~CUICTRL() = default;
