// The controller's singleton, modes, 2D operations, library bookkeeping and reset.
#include "sim/display/controller.h"

#include <algorithm>
#include <cstring>

#include "sim/display/journal.h"
#include "sim/display/pixels.h"

namespace simdisplay {
namespace {

const DisplayMode kStartMode = *FindMode(1024, 768, 16);

// The part of (x, y, width, height) inside a target, or false.
bool Clip(const Controller::Target& t, int* x, int* y, int* width, int* height) {
    const int64_t left = std::max(*x, 0), top = std::max(*y, 0);
    const int64_t right = std::min(int64_t(*x) + *width, int64_t(t.width));
    const int64_t bottom = std::min(int64_t(*y) + *height, int64_t(t.height));
    if (right <= left || bottom <= top) return false;
    *x = int(left);
    *y = int(top);
    *width = int(right - left);
    *height = int(bottom - top);
    return true;
}

}  // namespace

LibraryState::~LibraryState() = default;

Controller& Controller::Get() {
    static Controller controller;
    return controller;
}

Controller::Controller() : mode_(kStartMode), bootMode_(kStartMode) {}

bool Controller::SetMode(const DisplayMode& mode) {
    if (memory_.Overlaps(0, uint32_t(mode.ScreenBytes()))) return false;
    mode_ = mode;
    return true;
}

void Controller::SetBootMode(const DisplayMode& mode) {
    bootMode_ = mode;
}

bool Controller::TargetAt(uint32_t offset, Target* target) {
    if (offset == 0) {
        *target = Target{0, mode_.width, mode_.height, mode_.LineLength(), mode_.bits};
        return true;
    }
    const Block* block = memory_.Find(offset);
    if (block == nullptr || block->bits <= 0) return false;
    *target = Target{offset, block->width, block->height, block->pitch, block->bits};
    return true;
}

bool Controller::Fill(uint32_t offset, int x, int y, int width, int height, uint32_t colour) {
    Target t;
    if (!TargetAt(offset, &t) || !Clip(t, &x, &y, &width, &height)) return false;
    const int bytes = t.bits / 8;
    for (int row = 0; row < height; ++row) {
        uint8_t* line = memory_.At(t.offset + uint32_t(y + row) * t.pitch, size_t(t.pitch));
        if (line == nullptr) return false;
        for (int col = 0; col < width; ++col) WritePixel(line + (x + col) * bytes, t.bits, colour);
    }
    return true;
}

bool Controller::Blit(uint32_t destination, int dx, int dy, uint32_t source, int sx, int sy,
                      int width, int height) {
    Target d, s;
    if (!TargetAt(destination, &d) || !TargetAt(source, &s) || d.bits != s.bits) return false;
    // The source's clipping moves the destination with it, and the other way round.
    int x = sx, y = sy, w = width, h = height;
    if (!Clip(s, &x, &y, &w, &h)) return false;
    dx += x - sx;
    dy += y - sy;
    int ex = dx, ey = dy, ew = w, eh = h;
    if (!Clip(d, &ex, &ey, &ew, &eh)) return false;
    x += ex - dx;
    y += ey - dy;
    const int bytes = d.bits / 8;
    for (int row = 0; row < eh; ++row) {
        // Overlapping areas copy in the direction that reads before it writes.
        const int r = (destination == source && ey > y) ? eh - 1 - row : row;
        const uint8_t* from = memory_.At(s.offset + uint32_t(y + r) * s.pitch + uint32_t(x * bytes),
                                         size_t(ew) * bytes);
        uint8_t* to = memory_.At(d.offset + uint32_t(ey + r) * d.pitch + uint32_t(ex * bytes),
                                 size_t(ew) * bytes);
        if (from == nullptr || to == nullptr) return false;
        std::memmove(to, from, size_t(ew) * bytes);
    }
    return true;
}

void Controller::Loaded(const std::string& library) {
    ++loaded_[library];
    states_.erase(library);
    JournalNote("load " + library);
}

void Controller::Unloaded(const std::string& library) {
    auto it = states_.find(library);
    if (it != states_.end()) {
        it->second->Unloading();
        states_.erase(it);
    }
    auto count = loaded_.find(library);
    if (count != loaded_.end() && --count->second <= 0) loaded_.erase(count);
    JournalNote("unload " + library);
}

bool Controller::IsLoaded(const std::string& library) const {
    return loaded_.count(library) != 0;
}

int Controller::LoadedCount() const {
    return int(loaded_.size());
}

std::unique_ptr<LibraryState>& Controller::StateSlot(const std::string& library) {
    return states_[library];
}

void Controller::Reset() {
    states_.clear();
    memory_.ReleaseAll();
    memory_.Clear();
    mode_ = bootMode_;
    overlay_ = OverlayPlane{};
    tvConnector = 1;
    tvOutput = false;
    displays = 2;
    colourBars = false;
    shownOsd = nullptr;
    JournalClear();
    ClearFaults();
}

}  // namespace simdisplay
