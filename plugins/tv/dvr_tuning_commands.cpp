// Engine commands that tune: channel count, selection, fine tuning, the scan
// of one slot and the scan thread.
#include "plugins/tv/dvr_commands.h"

int DvrGetChannelCount(DvrEngine& engine, const DvrArgs& args) {
    int count = 0;
    if (ZAQ_GetChannelListNum(engine.tuner.load(), &count) < 0) {
        return DvrFail("err: GetChannelListNum");
    }
    args.WriteOut(count);
    // More slots than the controller's tables hold are never addressed.
    engine.channelCount.store(count < kDvrMaxSlots ? count : kDvrMaxSlots);
    return 1;
}

int DvrSelectChannel(DvrEngine& engine, const DvrArgs& args) {
    const int* slot = nullptr;
    const int* offset = nullptr;
    if (args.inSize == 2) {
        slot = static_cast<const int*>(args.Item(0));
        offset = static_cast<const int*>(args.Item(1));
    } else {
        slot = args.InInt();
    }
    if (!slot || !IsDvrSlot(*slot) || (args.inSize == 2 && !offset)) {
        return DvrFail("err: Select Channel");
    }
    if (ZAQ_SelectChannel(engine.tuner.load(), *slot, offset ? *offset : 0) < 0) {
        return DvrFail("err: Select Channel");
    }
    return 1;
}

int DvrFineTune(DvrEngine& engine, const DvrArgs& args) {
    if (ZAQ_MicroTuner(engine.tuner.load(), args.InValue()) < 0) return DvrFail("err: Fine Tuning");
    return 1;
}

int DvrSelectByFrequency(DvrEngine& engine, const DvrArgs& args) {
    if (ZAQ_SelectChannelByFreq(engine.tuner.load(), args.InValue()) < 0) {
        return DvrFail("err: Select Channel by Frequency");
    }
    return 1;
}

int DvrScanChannel(DvrEngine& engine, const DvrArgs& args) {
    const int slot = args.InValue();
    if (!IsDvrSlot(slot)) {
        args.WriteOut(0);
        return -1;
    }
    args.WriteOut(ZAQ_ScanChannel(engine.tuner.load(), slot) == 0 ? 1 : 0);
    return 1;
}

int DvrStartScanThread(DvrEngine& engine, const DvrArgs&) {
    engine.StartScan();
    return 1;
}

int DvrStopScanThread(DvrEngine& engine, const DvrArgs&) {
    engine.StopScan();
    return 1;
}
