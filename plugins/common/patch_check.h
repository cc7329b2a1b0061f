// The patch check both controllers run for command set 29: look for an upgrade
// patch on the data drives C: to Z:, check the drive found against the installed
// version, and tell the setup menu which message to show.
#pragma once

#include "interfaces/host_framework.h"

// The two controllers have always stored the drive found in their own way; other
// programs read what they store, so each keeps its way.
struct PatchSearchStyle {
    // TV stores the mount point with its trailing "/", FM the bare location.
    bool mountPointWithSlash;
    // FM carries the version and device of one drive's patch to the next drive and
    // into the final check; TV starts every drive at 1.0.1 and the final check from
    // the stored device.
    bool carryAcrossDrives;
};

constexpr PatchSearchStyle kTvPatchSearch{true, false};
constexpr PatchSearchStyle kFmPatchSearch{false, true};

// Searches the drives, then checks the stored mount point against the version under
// SolvaneON_PATCHVERSION and stores mount point and device again; true when a patch
// is present.
bool CheckForUpgradePatch(const PatchSearchStyle& style);

// Menu 90 with message 27 when a patch is present, else menu 91 with 28 (nothing
// when there is no menu).
void ShowPatchCheckResult(CSetupMenuMediator* menu, bool present);
