// CMEDIA_WRAPPER: the abstract base of every engine wrapper (TV, FM and the
// player library's disc engine). The engine table creates them by media type.
#pragma once

#include "interfaces/export.h"
#include "interfaces/media_types.h"

class ZAQ_EXPORT CMEDIA_WRAPPER {
  public:
    virtual ~CMEDIA_WRAPPER() = default;
    virtual int Command(unsigned command, void* in, int inSize, void* out, int outSize) = 0;
    virtual int SetCallback(MediaEventCallback callback) = 0;
};
