// The test-control functions of sim_display.h over the controller.
#include <algorithm>
#include <cstring>

#include "sim/display/controller.h"
#include "sim/display/journal.h"
#include "sim/display/pixels.h"
#include "sim/display/scan_out.h"
#include "sim/display/sim_display.h"

using simdisplay::Controller;

namespace {

int CopyText(const std::string& text, char* buffer, int size) {
    if (buffer != nullptr && size > 0) {
        const size_t n = std::min(text.size(), size_t(size - 1));
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return int(text.size() + 1);
}

int CountSurfaces(bool lockedOnly) {
    int n = 0;
    for (const auto& entry : Controller::Get().Memory().Blocks())
        if (!lockedOnly || entry.second.locks > 0) ++n;
    return n;
}

}  // namespace

extern "C" {

void sim_display_reset(void) {
    auto lock = Controller::Get().Hold();
    Controller::Get().Reset();
}

void sim_display_get_state(SimDisplayState* state) {
    if (state == nullptr) return;
    Controller& c = Controller::Get();
    auto lock = c.Hold();
    *state = SimDisplayState{};
    const simdisplay::DisplayMode& m = c.Mode();
    state->width = m.width;
    state->height = m.height;
    state->bitsPerPixel = m.bits;
    state->lineLength = m.LineLength();
    state->modeNumber = m.number;
    state->memoryAddress = c.Memory().Address();
    const simdisplay::OverlayPlane& o = c.Overlay();
    state->overlayEnabled = o.enabled;
    state->overlayPlanar = o.source.layout == simdisplay::Layout::kPlanar420;
    state->overlayOffset = o.source.offset;
    state->overlaySourceWidth = o.source.width;
    state->overlaySourceHeight = o.source.height;
    state->overlayPitch = o.source.pitch;
    state->overlayLeft = o.destination.x;
    state->overlayTop = o.destination.y;
    state->overlayWidth = o.destination.width;
    state->overlayHeight = o.destination.height;
    const simdisplay::Area crop =
        o.cropped ? o.crop : simdisplay::Area{0, 0, o.source.width, o.source.height};
    state->cropX = crop.x;
    state->cropY = crop.y;
    state->cropWidth = crop.width;
    state->cropHeight = crop.height;
    state->colourKey = o.colourKey;
    state->keying = o.keying;
    state->brightness = o.controls.brightness;
    state->contrast = o.controls.contrast;
    state->saturation = o.controls.saturation;
    state->hue = o.controls.hue;
    state->surfaces = CountSurfaces(false);
    state->lockedSurfaces = CountSurfaces(true);
    state->tvConnector = c.tvConnector;
    state->tvOutput = c.tvOutput;
    state->displays = c.displays;
    state->colourBars = c.colourBars;
    state->osdShown = c.shownOsd != nullptr;
    state->librariesLoaded = c.LoadedCount();
}

int sim_display_surfaces(SimDisplaySurface* out, int max) {
    Controller& c = Controller::Get();
    auto lock = c.Hold();
    int n = 0;
    for (const auto& entry : c.Memory().Blocks()) {
        const simdisplay::Block& b = entry.second;
        if (out != nullptr && n < max) {
            SimDisplaySurface s{};
            s.offset = b.offset;
            s.bytes = b.bytes;
            s.width = b.width;
            s.height = b.height;
            s.bitsPerPixel = b.bits;
            s.pitch = b.pitch;
            s.locked = b.locks > 0;
            CopyText(b.owner, s.owner, int(sizeof s.owner));
            out[n] = s;
        }
        ++n;
    }
    return n;
}

int sim_display_set_boot_mode(int width, int height, int bitsPerPixel) {
    const simdisplay::DisplayMode* mode = simdisplay::FindMode(width, height, bitsPerPixel);
    if (mode == nullptr) return -1;
    Controller& c = Controller::Get();
    auto lock = c.Hold();
    c.SetBootMode(*mode);
    return c.SetMode(*mode) ? 0 : -1;
}

int sim_display_mode_number(int width, int height, int bitsPerPixel) {
    const simdisplay::DisplayMode* mode = simdisplay::FindMode(width, height, bitsPerPixel);
    return mode != nullptr ? mode->number : 0;
}

void sim_display_set_tv_connector(int state) {
    auto lock = Controller::Get().Hold();
    Controller::Get().tvConnector = state;
}

unsigned char* sim_display_memory(void) {
    return Controller::Get().Memory().Base();
}

const char* sim_display_memory_path(void) {
    return Controller::Get().Memory().Path().c_str();
}

int sim_display_fill_screen(int x, int y, int width, int height, uint32_t pixel) {
    auto lock = Controller::Get().Hold();
    return Controller::Get().Fill(0, x, y, width, height, pixel) ? 0 : -1;
}

uint32_t sim_display_screen_pixel(int x, int y) {
    Controller& c = Controller::Get();
    auto lock = c.Hold();
    const simdisplay::DisplayMode& m = c.Mode();
    if (x < 0 || y < 0 || x >= m.width || y >= m.height) return 0;
    const uint8_t* p = c.Memory().At(uint32_t(y * m.LineLength() + x * m.BytesPerPixel()), 4);
    return p != nullptr ? simdisplay::ReadPixel(p, m.bits) : 0;
}

uint32_t sim_display_pixel_of(int red, int green, int blue) {
    auto lock = Controller::Get().Hold();
    return simdisplay::RgbToPixel(red, green, blue, Controller::Get().Mode().bits);
}

int sim_display_scan_out(unsigned char* rgb, int size, int* width, int* height) {
    Controller& c = Controller::Get();
    auto lock = c.Hold();
    const int needed = c.Mode().width * c.Mode().height * 3;
    if (width != nullptr) *width = c.Mode().width;
    if (height != nullptr) *height = c.Mode().height;
    if (rgb == nullptr || size < needed) return needed;
    const std::vector<uint8_t> picture = simdisplay::RenderScanOut(c);
    std::memcpy(rgb, picture.data(), picture.size());
    return needed;
}

int sim_display_write_bmp(const char* path) {
    if (path == nullptr) return -1;
    Controller& c = Controller::Get();
    std::vector<uint8_t> picture;
    int width = 0, height = 0;
    {
        auto lock = c.Hold();
        picture = simdisplay::RenderScanOut(c);
        width = c.Mode().width;
        height = c.Mode().height;
    }
    return simdisplay::WriteBmp(path, picture, width, height) ? 0 : -1;
}

void sim_display_journal_clear(void) {
    simdisplay::JournalClear();
}

int sim_display_journal_read(char* buffer, int size) {
    std::string text;
    for (const std::string& line : simdisplay::JournalLines()) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    return CopyText(text, buffer, size);
}

int sim_display_journal_count(const char* prefix) {
    const std::string p = prefix != nullptr ? prefix : "";
    int n = 0;
    for (const std::string& line : simdisplay::JournalLines())
        if (line.compare(0, p.size(), p) == 0) ++n;
    return n;
}

void sim_display_fail(const char* call, int result, int skip, int times) {
    if (call != nullptr) simdisplay::ArmFault(call, result, skip, times);
}

void sim_display_fail_next(const char* call, int result) {
    sim_display_fail(call, result, 0, 1);
}

void sim_display_fail_kind(int kind, int skip, int times) {
    if (kind >= SIM_DISPLAY_FAULT_INIT && kind <= SIM_DISPLAY_FAULT_TVOUT)
        simdisplay::ArmKindFault(simdisplay::FaultKind(kind), skip, times);
}

void sim_display_clear_faults(void) {
    simdisplay::ClearFaults();
}

int sim_display_library_loaded(const char* library) {
    if (library == nullptr) return 0;
    auto lock = Controller::Get().Hold();
    return Controller::Get().IsLoaded(library) ? 1 : 0;
}

}  // extern "C"
