// Tells the controller when a stand-in library is loaded and unloaded (each
// stand-in defines SIM_LIBRARY_NAME and includes this in one file).
#pragma once

#include "sim/display/controller.h"

namespace {

__attribute__((constructor)) void StandInLoaded() {
    auto lock = simdisplay::Controller::Get().Hold();
    simdisplay::Controller::Get().Loaded(SIM_LIBRARY_NAME);
}

__attribute__((destructor)) void StandInUnloading() {
    auto lock = simdisplay::Controller::Get().Hold();
    simdisplay::Controller::Get().Unloaded(SIM_LIBRARY_NAME);
}

}  // namespace
