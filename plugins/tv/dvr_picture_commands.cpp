// Engine commands for picture properties. Property 17 is never read from the
// tuner: the engine keeps its own copy, reset to 0 on every set.
#include "plugins/tv/dvr_commands.h"

namespace {

constexpr int kCachedProperty = 17;
constexpr int kPictureStep = 2;
constexpr int kPictureLimit = 32;

int CurrentValue(DvrEngine& engine, int id) {
    if (id == kCachedProperty) return engine.property17.load();
    int value = 0;
    if (ZAQ_GetProperty(engine.tuner.load(), id, &value) < 0) return 0;
    return value;
}

int Step(DvrEngine& engine, const DvrArgs& args, int step) {
    if (!args.in) return -1;
    const int id = *args.InInt();
    int value = CurrentValue(engine, id);
    const int next = value + step;
    if (next >= -kPictureLimit && next <= kPictureLimit) {
        ZAQ_SetProperty(engine.tuner.load(), id, next);
        value = next;
        if (id == kCachedProperty) engine.property17.store(next);
    }
    args.WriteOut(value);
    return 1;
}

}  // namespace

int DvrSetPicture(DvrEngine& engine, const DvrArgs& args) {
    if (!args.in) return DvrFail("err: arg");
    const int id = *args.InInt();
    int value = args.inSize;
    if (id == kCachedProperty) {
        value = 0;
        engine.property17.store(0);
    }
    if (ZAQ_SetProperty(engine.tuner.load(), id, value) < 0) return DvrFail("err: SetProperty");
    return 1;
}

int DvrGetPicture(DvrEngine& engine, const DvrArgs& args) {
    if (!args.in || !args.out) return DvrFail("err: GetProperty");
    const int id = *args.InInt();
    if (id == kCachedProperty) {
        args.WriteOut(engine.property17.load());
        return 1;
    }
    if (ZAQ_GetProperty(engine.tuner.load(), id, args.OutInt()) < 0) {
        return DvrFail("err: GetProperty");
    }
    return 1;
}

int DvrPictureDown(DvrEngine& engine, const DvrArgs& args) {
    return Step(engine, args, -kPictureStep);
}

int DvrPictureUp(DvrEngine& engine, const DvrArgs& args) {
    return Step(engine, args, kPictureStep);
}
