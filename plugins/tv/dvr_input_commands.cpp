// Engine commands for the inputs, the TV video type and the country. These
// service calls report any nonzero result as a failure.
#include "plugins/tv/dvr_commands.h"

namespace {

using TunerGetter = int (*)(int handle, int* value);
using TunerSetter = int (*)(int handle, int value);

int Get(DvrEngine& engine, const DvrArgs& args, TunerGetter getter, const char* failure) {
    if (!args.out || getter(engine.tuner.load(), args.OutInt()) != 0) return DvrFail(failure);
    return 1;
}

int Set(DvrEngine& engine, const DvrArgs& args, TunerSetter setter, const char* failure) {
    if (!args.in || setter(engine.tuner.load(), *args.InInt()) != 0) return DvrFail(failure);
    return 1;
}

int SetCountry(DvrEngine& engine, const DvrArgs& args, int search) {
    if (!args.in || ZAQ_SetCountryCode(engine.tuner.load(), 0, args.InText(), search) != 0) {
        return DvrFail("err: SetContryCode");
    }
    return 1;
}

}  // namespace

int DvrGetVideoSource(DvrEngine& engine, const DvrArgs& args) {
    return Get(engine, args, ZAQ_GetVideoInputSource, "err: GetVideoInputSource");
}

int DvrGetAudioSource(DvrEngine& engine, const DvrArgs& args) {
    return Get(engine, args, ZAQ_GetAudioInputSource, "err: GetAudioInputSource");
}

int DvrGetVideoType(DvrEngine& engine, const DvrArgs& args) {
    return Get(engine, args, ZAQ_GetTVVideoType, "err: GetTVVideoType");
}

int DvrGetInputType(DvrEngine& engine, const DvrArgs& args) {
    return Get(engine, args, ZAQ_GetTVInputType, "err: GetTVInputType");
}

int DvrGetCountry(DvrEngine& engine, const DvrArgs& args) {
    void* reserved = nullptr;
    if (!args.out ||
        ZAQ_GetCountryCode(engine.tuner.load(), &reserved, static_cast<char*>(args.out)) != 0) {
        return DvrFail("err: GetContryCode");
    }
    return 0;
}

int DvrSetInputType(DvrEngine& engine, const DvrArgs& args) {
    return Set(engine, args, ZAQ_SetTVInputType, "err: SetTVInputType");
}

int DvrSetVideoSource(DvrEngine& engine, const DvrArgs& args) {
    return Set(engine, args, ZAQ_SetVideoInputSource, "err: SetVideoInputSource");
}

int DvrSetAudioSource(DvrEngine& engine, const DvrArgs& args) {
    return Set(engine, args, ZAQ_SetAudioInputSource, "err: SetAudioInputSource");
}

int DvrSetVideoType(DvrEngine& engine, const DvrArgs& args) {
    return Set(engine, args, ZAQ_SetTVVideoType, "err: SetTVVideoType");
}

int DvrSetCountrySearch(DvrEngine& engine, const DvrArgs& args) {
    return SetCountry(engine, args, 1);
}

int DvrSetCountry(DvrEngine& engine, const DvrArgs& args) {
    return SetCountry(engine, args, 0);
}
