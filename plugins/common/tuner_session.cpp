// The tuner's opening and closing steps.
#include "plugins/common/tuner_session.h"

#include "interfaces/host_framework.h"

namespace {

constexpr ZaqRect kDefaultVideoRect{0, 0, 719, 479};

}  // namespace

bool LocateVideoWindow(void** window, ZaqRect* rect) {
    *window = ZAQ_VIDEO_WINDOW;
    ZaqRect area = kDefaultVideoRect;
    ZaqPoint origin{0, 0};
    CUIDRV* driver = CUIDRV::GetOrCreateObject();
    if (!driver || driver->GetClientRect(*window, &area) == 0 ||
        driver->ClientToScreen(*window, &origin) == 0) {
        return false;
    }
    area.left += origin.x;
    area.top += origin.y;
    area.bottom += area.top;
    area.right += area.left;
    *rect = area;
    return true;
}

int OpenTunerSession(int mode, int* handle, bool* acquired) {
    *acquired = false;
    int opened = 0;
    if (ZAQ_Init(&opened) != 0) return -1;
    *handle = opened;
    *acquired = true;
    return ZAQ_OpenTuner(opened, mode);
}

void CloseTunerSession(int handle) {
    ZAQ_CloseTuner(handle);
    ZAQ_Release(handle);
}
