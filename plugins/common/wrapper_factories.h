// How the engine table builds a wrapper of each media type: the plug-ins' own
// factories (registered by the library that defines them, or found by name at
// run time) and the player library's disc engine.
#pragma once

#include "interfaces/media_wrapper.h"

using WrapperFactory = CMEDIA_WRAPPER* (*)();

// Names of the factories each plug-in exports (extern "C").
constexpr const char kDvrFactoryName[] = "ZaqCreateDvrWrapper";
constexpr const char kFmFactoryName[] = "ZaqCreateFmWrapper";
constexpr const char kTvLibraryName[] = "libtelvira.so";
constexpr const char kFmLibraryName[] = "libsonidra.so";

// A library registers the factory of its own wrapper type (14 or 17) so its
// table never looks for it elsewhere. Safe from static initialisers.
void RegisterOwnWrapperFactory(int type, WrapperFactory factory);

// Registers at static initialisation: `static OwnWrapperRegistration r{14, &f};`
struct OwnWrapperRegistration {
    OwnWrapperRegistration(int type, WrapperFactory factory) {
        RegisterOwnWrapperFactory(type, factory);
    }
};

// A new wrapper for types 12, 13, 14, 17; null for any other type or when the
// owning plug-in cannot be found.
CMEDIA_WRAPPER* MakeWrapper(int type);

// True for the media types the table knows.
bool IsWrapperType(int type);
