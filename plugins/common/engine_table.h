// The engine table: ten process-wide wrapper slots addressed by handles 1..10
// (0 means none), through which a controller creates, drives and destroys its
// engine. Each plug-in carries its own copy; the functions are visible to the
// host (dlsym) but always bind to the copy of the library that calls them, so
// the two tables never mix.
//
// Threads: any thread may call these; a lock guards the slots only, never a
// wrapper's Command, so a wrapper must not be destroyed while another thread
// still commands it (the controllers destroy their engine on their own thread).
#pragma once

#include "interfaces/media_types.h"
#include "interfaces/media_wrapper.h"

// Exported, but resolved inside the defining library first.
#define ZAQ_ENGINE_TABLE_API __attribute__((visibility("protected")))

// Number of wrapper slots.
constexpr unsigned kEngineTableSize = 10;

extern "C" {

// 0: created (handle written) or unknown type (nothing created); 1: table full.
ZAQ_ENGINE_TABLE_API int CreateMediaWrapper(int type, unsigned* handle);
// 1 for handle 0 or above 10; else deletes the slot's wrapper, handle := 0, 0.
ZAQ_ENGINE_TABLE_API int DestroyMediaWrapper(unsigned* handle);
// 1 for handle 0, above 10 or empty; else the wrapper's Command result.
ZAQ_ENGINE_TABLE_API int MediaWrapperCommand(unsigned handle, unsigned command, void* in,
                                             int inSize, void* out, int outSize);
// 1 for handle 0, above 10 or empty; else the wrapper's SetCallback result.
ZAQ_ENGINE_TABLE_API int SetMediaWrapperCallback(unsigned handle, MediaEventCallback fn);
}
