// CFM_WRAPPER: the FM engine. The only FM object that calls the tuner service: it owns
// the tuner handle, opens the tuner in radio mode, runs seeks on a worker thread of its
// own and reports back through the MediaEventCallback the controller installs.
//
// Threads: Command and SetCallback come from the controller's thread; seek events are
// reported from the seek worker. The plug-in exports a factory for the engine table:
//   extern "C" CMEDIA_WRAPPER* ZaqCreateFmWrapper();  (the caller owns the result)
#pragma once

#include <memory>

#include "interfaces/abi_layout.h"
#include "interfaces/export.h"
#include "interfaces/media_wrapper.h"

namespace sonidra {
struct FmWrapperState;
}

class ZAQ_EXPORT CFM_WRAPPER : public CMEDIA_WRAPPER {
  public:
    // Sets the mixer to full volume and starts the seek worker.
    CFM_WRAPPER();
    // Ends a running sweep, joins the worker, frees the requests left and closes the
    // radio if it is still open.
    ~CFM_WRAPPER() override;
    CFM_WRAPPER(const CFM_WRAPPER&) = delete;
    CFM_WRAPPER& operator=(const CFM_WRAPPER&) = delete;

    // 0 or a value, 1 for a refused argument; unknown commands do nothing and return 0.
    int Command(unsigned command, void* in, int inSize, void* out, int outSize) override;
    // Always 0. Events arrive as (set, null, channel, event).
    int SetCallback(MediaEventCallback callback) override;

  private:
    std::unique_ptr<sonidra::FmWrapperState> state_;
};
// An engine table built elsewhere allocates the 60 bytes of the original object.
ZAQ_ASSERT_FITS(CFM_WRAPPER, 60, 60);

extern "C" ZAQ_EXPORT CMEDIA_WRAPPER* ZaqCreateFmWrapper();
