// The keys direct play accepts for renderer properties, and the renderer
// property each reaches in VideoRendererPropertySet.
#pragma once

#include <cstdint>

struct PropertyKey {
    int key;
    uint32_t propertyId;
    bool get;
    bool set;
};

// The first row of the key, or null when direct play does not accept it.
const PropertyKey* FindPropertyKey(int key);
