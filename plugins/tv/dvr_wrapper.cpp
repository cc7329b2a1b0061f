// CDVR_WRAPPER and the factory through which the engine tables build it.
#include "plugins/tv/dvr_wrapper.h"

#include "plugins/common/wrapper_factories.h"
#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/dvr_engine.h"

CDVR_WRAPPER::CDVR_WRAPPER() : engine_(std::make_unique<DvrEngine>()) {}

CDVR_WRAPPER::~CDVR_WRAPPER() = default;

int CDVR_WRAPPER::Command(unsigned command, void* in, int inSize, void* out, int) {
    return DispatchDvrCommand(*engine_, command, in, inSize, out);
}

int CDVR_WRAPPER::SetCallback(MediaEventCallback callback) {
    engine_->callback.store(callback);
    return 0;
}

extern "C" CMEDIA_WRAPPER* ZaqCreateDvrWrapper() {
    return new CDVR_WRAPPER();
}

namespace {
// This library's own table builds its TV engines without looking them up.
const OwnWrapperRegistration kRegisterDvr{kMediaTv, &ZaqCreateDvrWrapper};
}  // namespace
