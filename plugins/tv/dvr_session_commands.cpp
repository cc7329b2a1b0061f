// Engine commands that start and end a TV session, and the state query.
#include "plugins/tv/dvr_commands.h"

namespace {

// The start list: slot, frequency offset, TV input type, country text.
enum { kStartSlot, kStartOffset, kStartInputType, kStartCountry, kStartItems };

}  // namespace

int DvrStartTv(DvrEngine& engine, const DvrArgs& args) {
    if (args.inSize < kStartItems) return DvrFail("err: Directplay Start");
    const int* slot = static_cast<const int*>(args.Item(kStartSlot));
    const int* offset = static_cast<const int*>(args.Item(kStartOffset));
    const int* inputType = static_cast<const int*>(args.Item(kStartInputType));
    const char* country = static_cast<const char*>(args.Item(kStartCountry));
    if (!slot || !offset || !inputType || !IsDvrSlot(*slot)) {
        return DvrFail("err: Directplay Start");
    }
    if (engine.OpenTuner() != 0) return 1;
    if (engine.StartLiveVideo() < 0) return DvrFail("err: Directplay Start");
    const int tuner = engine.tuner.load();
    ZAQ_SetTVInputType(tuner, *inputType);
    ZAQ_SetCountryCode(tuner, 0, country ? country : "", 1);
    ZAQ_SelectChannel(tuner, *slot, *offset);
    return 0;
}

int DvrCloseOnly(DvrEngine& engine, const DvrArgs&) {
    return engine.CloseTuner();
}

int DvrCloseAndReport(DvrEngine& engine, const DvrArgs&) {
    engine.CloseTuner();
    engine.Report(kCmdSetEngineClosed, 0, 0);
    return 0;
}

int DvrGetState(DvrEngine& engine, const DvrArgs& args) {
    args.WriteOut(static_cast<int>(engine.state.load()));
    return 1;
}
