// CDVR_WRAPPER: the TV engine the engine table creates for media type 14. It
// owns the tuner-service handle; the TV controller drives it with numbered
// commands. The work itself is done by DvrEngine (dvr_engine.h).
//
// Threads: Command is called from the controller's and the host's threads and
// from the engine's own scan thread; SetCallback from the host's thread.
#pragma once

#include <memory>

#include "interfaces/abi_layout.h"
#include "interfaces/export.h"
#include "interfaces/media_wrapper.h"

struct DvrEngine;

class ZAQ_EXPORT CDVR_WRAPPER : public CMEDIA_WRAPPER {
  public:
    CDVR_WRAPPER();
    ~CDVR_WRAPPER() override;
    CDVR_WRAPPER(const CDVR_WRAPPER&) = delete;
    CDVR_WRAPPER& operator=(const CDVR_WRAPPER&) = delete;

    int Command(unsigned command, void* in, int inSize, void* out, int outSize) override;
    // Stores the event callback; returns 0.
    int SetCallback(MediaEventCallback callback) override;

    // For tests and diagnostics: the engine behind the wrapper.
    DvrEngine& Engine() { return *engine_; }

  private:
    std::unique_ptr<DvrEngine> engine_;
};
// An engine table built elsewhere allocates the 84 bytes of the original object.
ZAQ_ASSERT_FITS(CDVR_WRAPPER, 84, 84);

// The factory the engine tables find by name (see plugins/common).
extern "C" ZAQ_EXPORT CMEDIA_WRAPPER* ZaqCreateDvrWrapper();
