// CUIDRV: the display driver's view of the video window, from the host's screen
// configuration; tests can make either geometry call fail.
#include <cstdio>

#include "sim/host/host_world.h"

uint32_t CUIDRV::m_dwDeviceID = hostsim::Screen{}.deviceId;

namespace {

std::string WindowText(void* window) {
    char text[32];
    std::snprintf(text, sizeof text, "%#lx",
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
    return text;
}

std::string RectText(const ZaqRect& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
           " " + std::to_string(r.bottom);
}

CUIDRV& Driver() {
    static CUIDRV driver;
    return driver;
}

}  // namespace

namespace hostsim {

void ApplyScreenToDriver(const Screen& screen) {
    Driver().m_dwDisplayHandle = screen.displayHandle;
    CUIDRV::m_dwDeviceID = screen.deviceId;
}

}  // namespace hostsim

CUIDRV* CUIDRV::GetOrCreateObject() {
    CUIDRV& driver = Driver();
    hostsim::ApplyScreenToDriver(hostsim::GetScreen());
    hostsim::Record("drv-get");
    return &driver;
}

int CUIDRV::GetClientRect(void* window, ZaqRect* rect) {
    hostsim::Screen screen = hostsim::GetScreen();
    bool ok = rect && !screen.clientRectFails;
    if (ok) *rect = screen.client;
    hostsim::Record("drv client-rect " + WindowText(window) + " -> " + (ok ? "1 " : "0 ") +
                    RectText(ok ? screen.client : ZaqRect{0, 0, 0, 0}));
    return ok ? 1 : 0;
}

int CUIDRV::ClientToScreen(void* window, ZaqPoint* point) {
    hostsim::Screen screen = hostsim::GetScreen();
    bool ok = point && !screen.clientToScreenFails;
    if (ok) {
        point->x += screen.origin.x;
        point->y += screen.origin.y;
    }
    ZaqPoint shown = ok ? *point : ZaqPoint{0, 0};
    hostsim::Record("drv client-to-screen " + WindowText(window) + " -> " + (ok ? "1 " : "0 ") +
                    std::to_string(shown.x) + " " + std::to_string(shown.y));
    return ok ? 1 : 0;
}

int CUIDRV::SetTVOut(int mode) {
    hostsim::Record("drv tv-out " + std::to_string(mode));
    return 1;
}
