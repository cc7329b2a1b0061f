// Command 29: the shared patch check, with the mount point kept as TV stores it.
#include "plugins/common/patch_check.h"
#include "plugins/tv/tv_actions.h"

void CheckForPatch(TvController& tv) {
    ShowPatchCheckResult(tv.setupMenu.get(), CheckForUpgradePatch(kTvPatchSearch));
}
