// The factory through which the engine table builds CFM_WRAPPER (media type 17). This
// library's own table gets it registered at load; the TV plug-in's table finds it by
// name, so neither plug-in links the other.
#include "plugins/common/wrapper_factories.h"
#include "plugins/fm/fm_wrapper.h"

extern "C" ZAQ_EXPORT CMEDIA_WRAPPER* ZaqCreateFmWrapper() {
    return new CFM_WRAPPER();
}

namespace {
const OwnWrapperRegistration g_ownFactory{kMediaFm, &ZaqCreateFmWrapper};
}
