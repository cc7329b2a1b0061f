// CUIPainter: each GetInstance hands out a painter of its own, which the caller deletes.
#include "sim/host/host_world.h"

CUIPainter* CUIPainter::GetInstance() {
    hostsim::Record("painter-get");
    // Ownership passes to the caller.
    return new CUIPainter();
}

CUIPainter::~CUIPainter() {
    hostsim::Record("painter-delete");
}

void CUIPainter::ClearDisplay(bool all) {
    hostsim::Record(std::string("painter clear ") + (all ? "1" : "0"));
}

void CUIPainter::FlipOntoScreen() {
    hostsim::WithState([](hostsim::State& s) { ++s.flips; });
    hostsim::Record("painter flip");
}
