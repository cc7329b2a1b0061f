// The --graphics machines of the host program on the simulated display.
#include "apps/graphics_option.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <filesystem>

#include "apps/live_preview.h"
#include "sim/display/sim_display.h"
#include "sim/host/host_journal.h"

namespace host {
namespace {

struct Graphics {
    const char* name;
    int vendor;
    int device;
    const char* library;  // the family's vendor library (for the faults)
};

// A controller no hardware renderer is made for stands for "fb".
const Graphics kGraphics[] = {
    {"fb", 0x1234, 0x1111, nullptr},
    {"intel865", 0x8086, 0x2572, "libI865G.so"},
    {"intel915", 0x8086, 0x2582, "libI915G.so"},
    {"ati", 0x1002, 0x5157, "libradeonov.so"},
    {"cle266", 0x1106, 0x3122, "libddmpeg.so"},
    {"sis", 0x1039, 0x6325, "libdv.so"},
    {"s3", 0x5333, 0x8D04, "libs3g.so"},
    {"nvidia", 0x10DE, 0x0110, "libNVDLL.so"},
};

constexpr int kScreenWidth = 1024, kScreenHeight = 768;
// The host's video window, centred on the screen.
constexpr int kWindowWidth = 720, kWindowHeight = 480;
constexpr int kWindowLeft = (kScreenWidth - kWindowWidth) / 2;
constexpr int kWindowTop = (kScreenHeight - kWindowHeight) / 2;

const Graphics* Find(const std::string& name) {
    for (const Graphics& g : kGraphics)
        if (name == g.name) return &g;
    return nullptr;
}

// A desktop of horizontal bands, so the video window stands out.
void PaintDesktop() {
    for (int y = 0; y < kScreenHeight; y += 32) {
        const int level = 40 + (y / 32) % 2 * 24;
        sim_display_fill_screen(0, y, kScreenWidth, 32,
                                sim_display_pixel_of(level / 2, level / 2, level));
    }
}

using GetPropertyFn = int (*)(int, int*);

// The video window in the overlay's colour key; nothing when the renderer
// has none (the frame buffer draws the whole screen itself).
void PaintVideoWindow() {
    auto get = reinterpret_cast<GetPropertyFn>(dlsym(RTLD_DEFAULT, "ZMP_DIRECTPLAY_GETPROPERTY"));
    int key = 0;
    if (get == nullptr || get(25, &key) != 0) return;
    sim_display_fill_screen(kWindowLeft, kWindowTop, kWindowWidth, kWindowHeight, uint32_t(key));
}

bool MonitorPicture(livepreview::RgbPicture* picture) {
    PaintVideoWindow();
    picture->rgb.resize(size_t(sim_display_scan_out(nullptr, 0, nullptr, nullptr)));
    sim_display_scan_out(picture->rgb.data(), int(picture->rgb.size()), &picture->width,
                         &picture->height);
    return true;
}

bool SaveMonitor(const std::string& path) {
    PaintVideoWindow();
    return sim_display_write_bmp(path.c_str()) == 0;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// Arms the fault; false when WHAT is not one.
bool ArmFault(const Graphics& g, const std::string& what, const std::string& vendorRoot) {
    if (what.empty()) return true;
    const std::string withoutName = "missing-name:";
    const std::string call = "call:";
    if (what == "missing-library")
        return g.library == nullptr ||
               std::filesystem::remove(vendorRoot + "/usr/lib/" + g.library);
    if (what.compare(0, withoutName.size(), withoutName) == 0)
        return g.library != nullptr &&
               sim_display_install_library(vendorRoot.c_str(), "/usr/lib", g.library,
                                           what.substr(withoutName.size()).c_str()) == 0;
    if (what.compare(0, call.size(), call) == 0) {
        sim_display_fail(what.substr(call.size()).c_str(), 0, 0, -1);
        return true;
    }
    const struct {
        const char* word;
        int kind;
    } kinds[] = {{"init", SIM_DISPLAY_FAULT_INIT},
                 {"mode", SIM_DISPLAY_FAULT_MODE},
                 {"surface", SIM_DISPLAY_FAULT_SURFACE},
                 {"tvout", SIM_DISPLAY_FAULT_TVOUT}};
    for (const auto& k : kinds) {
        if (what != k.word) continue;
        sim_display_fail_kind(k.kind, 0, -1);
        return true;
    }
    return false;
}

void UseHostWindow() {
    hostsim::Screen screen = hostsim::GetScreen();
    screen.client = ZaqRect{0, 0, kWindowWidth - 1, kWindowHeight - 1};
    screen.origin = ZaqPoint{kWindowLeft, kWindowTop};
    hostsim::SetScreen(screen);
}

}  // namespace

std::string GraphicsNames() {
    std::string names;
    for (const Graphics& g : kGraphics) names += std::string(names.empty() ? "" : "|") + g.name;
    return names;
}

bool KnownGraphicsFault(const std::string& what) {
    for (const char* word : {"missing-library", "init", "mode", "surface", "tvout"})
        if (what == word) return true;
    for (const char* start : {"missing-name:", "call:"})
        if (StartsWith(what, start) && what.size() > std::string(start).size()) return true;
    return false;
}

std::vector<std::string> GraphicsNameList() {
    std::vector<std::string> names;
    for (const Graphics& g : kGraphics) names.push_back(g.name);
    return names;
}

GraphicsMachine::~GraphicsMachine() {
    std::error_code error;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, error);
}

bool GraphicsMachine::Apply(const std::string& name, const std::string& fault, std::string* error) {
    const Graphics* g = Find(name);
    if (g == nullptr) {
        *error = "unknown graphics " + name + " (" + GraphicsNames() + ")";
        return false;
    }
    char pattern[] = "/tmp/mediahost_graphics.XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        *error = "cannot make a folder for the machine";
        return false;
    }
    folder_ = pattern;
    const std::string pci = folder_ + "/pci", vendor = folder_ + "/vendor";
    sim_display_reset();
    if (sim_display_write_pci_tree(pci.c_str(), g->vendor, g->device) != 0 ||
        sim_display_install_all(vendor.c_str(), "/usr/lib") != 0) {
        *error = "cannot place the stand-ins";
        return false;
    }
    if (!ArmFault(*g, fault, vendor)) {
        *error = "unknown graphics fault " + fault;
        return false;
    }
    setenv("MIROVA_PCI_ROOT", pci.c_str(), 1);
    setenv("MIROVA_VENDOR_ROOT", vendor.c_str(), 1);
    setenv("MIROVA_FBDEV", sim_display_memory_path(), 1);
    setenv("MIROVA_FBGEOMETRY", "1024x768x16", 1);
    PaintDesktop();
    UseHostWindow();
    livepreview::UsePreviewSource(livepreview::PreviewSource{MonitorPicture, SaveMonitor});
    return true;
}

}  // namespace host
