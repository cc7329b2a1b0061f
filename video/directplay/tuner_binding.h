// The tuner service's frame-path functions that direct play calls. They are
// bound by name when the library is loaded (all or nothing, from one table of
// names), and again at a start when the service was not there yet; tests
// install their own set instead.
#pragma once

#define ZAQ_NO_DIRECTPLAY_DECLS
#include "interfaces/tuner_service.h"

struct TunerFunctions {
    int (*getDriverId)();
    int (*getFormatSize)(int* format, int* width, int* height);
    int (*installCallback)(ZmpTunerFrameCallback fn, void* context, int client);
    int (*uninstallCallback)(int client);

    bool Complete() const {
        return getDriverId && getFormatSize && installCallback && uninstallCallback;
    }
};

// The functions in use: the installed test set, else the bound ones (empty
// when the service is absent).
TunerFunctions CurrentTunerFunctions();

// Binds by name from the process's global scope; true when all were found.
bool BindTunerFunctions();

// Replaces the bound functions (null restores them); for tests.
void InstallTunerFunctions(const TunerFunctions* functions);
