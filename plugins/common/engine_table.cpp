// The engine table: ten wrapper slots shared by everything in this library.
// Neither plug-in links the other (the links would form a cycle), so the TV and
// FM wrappers come from the extern "C" factories ZaqCreateDvrWrapper
// (libtelvira) and ZaqCreateFmWrapper (libsonidra): this library's own one as
// registered, the other found by name at run time (dlsym, else dlopen of the
// owning library, kept open). The disc engine comes from libravelo directly.
// Details in CMakeLists.txt here and wrapper_factories.cpp.
#include "plugins/common/engine_table.h"

#include <memory>
#include <mutex>

#include "plugins/common/wrapper_factories.h"

namespace {

struct EngineTable {
    std::mutex lock;
    std::unique_ptr<CMEDIA_WRAPPER> slots[kEngineTableSize];
};

EngineTable& Table() {
    static EngineTable table;
    return table;
}

bool IsValidHandle(unsigned handle) {
    return handle != 0 && handle <= kEngineTableSize;
}

CMEDIA_WRAPPER* Lookup(unsigned handle) {
    if (!IsValidHandle(handle)) return nullptr;
    EngineTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    return table.slots[handle - 1].get();
}

}  // namespace

extern "C" {

int CreateMediaWrapper(int type, unsigned* handle) {
    EngineTable& table = Table();
    std::unique_lock<std::mutex> guard(table.lock);
    unsigned slot = 0;
    while (slot < kEngineTableSize && table.slots[slot]) ++slot;
    if (slot == kEngineTableSize) return 1;
    if (!IsWrapperType(type)) return 0;
    // Built outside the lock: a wrapper's constructor may load a library.
    guard.unlock();
    std::unique_ptr<CMEDIA_WRAPPER> wrapper(MakeWrapper(type));
    if (!wrapper) return 0;
    guard.lock();
    while (slot < kEngineTableSize && table.slots[slot]) ++slot;
    if (slot == kEngineTableSize) return 1;
    table.slots[slot] = std::move(wrapper);
    if (handle) *handle = slot + 1;
    return 0;
}

int DestroyMediaWrapper(unsigned* handle) {
    if (!handle || !IsValidHandle(*handle)) return 1;
    std::unique_ptr<CMEDIA_WRAPPER> doomed;
    {
        EngineTable& table = Table();
        std::lock_guard<std::mutex> guard(table.lock);
        doomed = std::move(table.slots[*handle - 1]);
    }
    // Deleted outside the lock: its destructor joins threads that may report.
    doomed.reset();
    *handle = 0;
    return 0;
}

int MediaWrapperCommand(unsigned handle, unsigned command, void* in, int inSize, void* out,
                        int outSize) {
    CMEDIA_WRAPPER* wrapper = Lookup(handle);
    if (!wrapper) return 1;
    return wrapper->Command(command, in, inSize, out, outSize);
}

int SetMediaWrapperCallback(unsigned handle, MediaEventCallback fn) {
    CMEDIA_WRAPPER* wrapper = Lookup(handle);
    if (!wrapper) return 1;
    return wrapper->SetCallback(fn);
}

}  // extern "C"
