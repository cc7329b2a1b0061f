// The player library's disc engine, reduced to what the engine table needs: it can be
// created for the disc media types, records its commands in the journal and answers 0.
#include <string>

#include "interfaces/tuner_service.h"
#include "sim/tuner/tonvex/journal.h"

using tonvex::JoinArgs;

CDVD_WRAPPER::CDVD_WRAPPER(int mediaType) : mediaType_(mediaType) {
    tonvex::JournalCall("CDVD_WRAPPER", JoinArgs(mediaType), nullptr);
}

CDVD_WRAPPER::~CDVD_WRAPPER() {
    tonvex::JournalCall("~CDVD_WRAPPER", "", nullptr);
}

int CDVD_WRAPPER::Command(unsigned command, void* /*in*/, int inSize, void* /*out*/, int outSize) {
    int fault;
    if (tonvex::JournalCall("CDVD_WRAPPER::Command", JoinArgs(command, inSize, outSize), &fault))
        return fault;
    return 0;
}

int CDVD_WRAPPER::SetCallback(MediaEventCallback callback) {
    int fault;
    if (tonvex::JournalCall("CDVD_WRAPPER::SetCallback", callback ? "set" : "null", &fault))
        return fault;
    callback_ = callback;
    return 0;
}
