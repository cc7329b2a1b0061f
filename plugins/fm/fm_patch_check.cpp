// The patch check (command set 29): the shared check, with the location stored as FM
// stores it, then the screen is shown.
#include "plugins/common/patch_check.h"
#include "plugins/fm/fm_controller.h"

namespace sonidra {

void FmController::PatchCheck() {
    ShowPatchCheckResult(menu_.get(), CheckForUpgradePatch(kFmPatchSearch));
    Flip();
}

}  // namespace sonidra
