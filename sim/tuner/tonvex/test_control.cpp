// The card's test-control operations behind sim_tuner.h: reset, tables, state read-out,
// recorder set-up.
#include <cstring>

#include "sim/tuner/tonvex/card.h"
#include "sim/tuner/tonvex/journal.h"

namespace tonvex {

void Card::Reset() {
    StopLiveVideo(true);
    StopEventThread();
    {
        std::lock_guard<std::mutex> lock(clientMutex_);
        clients_ = {};
    }
    {
        std::lock_guard<std::mutex> lock(eventFnMutex_);
        eventFn_ = nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        LoadDefaultsLocked();
        framesDelivered_ = 0;
    }
    JournalClear();
    ClearFaults();
}

int Card::LoadChannels(const char* text) {
    ChannelTable table = ChannelTable::Builtin();
    if (text && !ChannelTable::Parse(text, &table, nullptr)) return -1;
    std::lock_guard<std::mutex> lock(mutex_);
    channels_ = std::move(table);
    if (slot_ >= channels_.SlotCount()) slot_ = 0;
    return 0;
}

int Card::LoadFmBand(const char* text) {
    FmBand band = FmBand::Builtin();
    if (text && !FmBand::Parse(text, &band, nullptr)) return -1;
    std::lock_guard<std::mutex> lock(mutex_);
    band_ = std::move(band);
    return 0;
}

int Card::StationInfo(int slot, SimTvStationInfo* info) {
    std::lock_guard<std::mutex> lock(mutex_);
    const TvSlot* s = channels_.Slot(slot);
    if (!s || !info) return -1;
    *info = {s->frequencyKHz, s->hasStation, s->bestOffset, s->soundModes, s->pattern};
    return 0;
}

int Card::FmLevel(int channel) {
    std::lock_guard<std::mutex> lock(mutex_);
    return band_.LevelAt(FmFrequencyLocked(channel));
}

void Card::GetState(SimTunerState* state) {
    if (!state) return;
    std::memset(state, 0, sizeof *state);
    {
        std::lock_guard<std::mutex> lock(clientMutex_);
        for (const auto& client : clients_) state->frameClients += client.fn != nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(eventFnMutex_);
        state->eventCallbackInstalled = eventFn_ != nullptr;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    state->open = mode_ >= 0;
    state->mode = mode_;
    state->handle = owner_;
    state->handles = static_cast<int>(handles_.size());
    state->liveVideo = live_;
    state->directPlayCalled = directPlayCalled_;
    state->directPlayResult = directPlayResult_;
    state->slot = slot_;
    state->selectOffset = selectOffset_;
    state->fineOffset = fineOffset_;
    const TvSlot* slot = channels_.Slot(slot_);
    state->frequencyKHz = (slot ? slot->frequencyKHz : 0) + selectOffset_ + fineOffset_;
    const Picture picture = PictureLocked();
    state->stationTuned = picture.kind == Picture::kStation;
    state->noiseAmplitude = picture.kind == Picture::kStation ? picture.noiseAmplitude : 127;
    state->fmStartKHz = fmStartKHz_;
    state->fmCount = fmCount_;
    state->fmChannel = fmChannel_;
    state->fmFrequencyKHz = FmFrequencyLocked(fmChannel_);
    state->sensitivity = sensitivity_;
    state->volume = properties_.at(ZAQ_PROP_VOLUME);
    state->mute = properties_.at(ZAQ_PROP_MUTE);
    state->mtsRequested = properties_.at(ZAQ_PROP_MTS_MODE);
    state->mtsMode = EffectiveMtsLocked();
    state->videoType = settings_.at(Setting::kVideoType);
    state->inputType = settings_.at(Setting::kInputType);
    state->videoSource = settings_.at(Setting::kVideoSource);
    state->audioSource = settings_.at(Setting::kAudioSource);
    std::strncpy(state->country, country_.c_str(), sizeof state->country - 1);
    const FrameFormat format = CurrentFormatLocked();
    state->frameWidth = format.width;
    state->frameHeight = format.height;
    state->framesPerSecond = format.framesPerSecond;
    state->framesDelivered = framesDelivered_;
    state->playbackState = playbackState_;
    state->recordingLength = recordingLength_;
    state->playbackPosition = playbackPosition_;
    state->scanSpeed = scanSpeed_;
}

void Card::SetRecording(uint32_t length, int state) {
    std::lock_guard<std::mutex> lock(mutex_);
    recordingLength_ = length;
    playbackState_ = state;
    if (playbackPosition_ > length) playbackPosition_ = length;
}

}  // namespace tonvex
