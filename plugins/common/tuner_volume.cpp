// Volume steps on the tuner.
#include "plugins/common/tuner_volume.h"

#include <algorithm>

#include "interfaces/tuner_service.h"

int ReadTunerVolume(int tuner, int* level) {
    return ZAQ_GetProperty(tuner, ZAQ_PROP_VOLUME, level);
}

int StepTunerVolume(int tuner, int step, int maxVolume, int* level) {
    int volume = 0;
    const int read = ReadTunerVolume(tuner, &volume);
    *level = volume;
    if (read < 0) return read;
    volume = step > 0 ? std::min(volume + step, maxVolume) : std::max(volume + step, 0);
    if (step > 0 && volume == 1) ZAQ_SetProperty(tuner, ZAQ_PROP_MUTE, 0);
    ZAQ_SetProperty(tuner, ZAQ_PROP_VOLUME, volume);
    if (step < 0 && volume == 0) ZAQ_SetProperty(tuner, ZAQ_PROP_MUTE, 1);
    *level = volume;
    return read;
}
