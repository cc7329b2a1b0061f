// CMEDIA_WRAPPER: the abstract base of every engine wrapper (TV, FM and the
// player library's disc engine). The engine table creates them by media type.
#pragma once

#include "interfaces/export.h"
#include "interfaces/media_types.h"

// Slots: 0 and 1 the destructor, 2 Command, 3 SetCallback; derived wrappers add
// nothing before them (tests/abi/).
class ZAQ_EXPORT CMEDIA_WRAPPER {
  public:
    virtual ~CMEDIA_WRAPPER() = default;
    virtual int Command(unsigned command, void* in, int inSize, void* out, int outSize) = 0;
    virtual int SetCallback(MediaEventCallback callback) = 0;
};
