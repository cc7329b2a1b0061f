// Start-up and tear-down of the platform layer when libmirova is loaded and
// unloaded (or a program linking the layer starts and ends).
#include "platform/linux_mutex.h"
#include "platform/linux_thread.h"
#include "platform/linux_timer.h"
#include "platform/registry.h"
#include "platform/thread_layer_state.h"

namespace {

// Everything touched here is a function-local static, constructed before this
// object is complete and so destroyed only after its destructor has run.
class PlatformLifetime {
  public:
    PlatformLifetime() {
        MainThreadObject();
        ClearNamedMutexTable();
        LnRegRootKey(LnRegRoot::ClassesRoot);
        StartTimerThread();
    }
    ~PlatformLifetime() {
        DestroyMainThreadObject();
        StopTimerThread();
        ClearNamedMutexTable();
        ShutdownThreadLayer();
    }
};

const PlatformLifetime g_lifetime;

}  // namespace
