// The card's state: handles, tuning of TV slots and FM channels, properties, inputs,
// country and the recorder. Live video and events are in live_video.cpp and events.cpp.
#include "sim/tuner/tonvex/card.h"

#include <strings.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tonvex {
namespace {

constexpr int kMaxTuneOffsetKHz = 5000;

// Compared without std::abs, which overflows for INT_MIN.
bool WithinTuneOffset(int offset) {
    return offset >= -kMaxTuneOffsetKHz && offset <= kMaxTuneOffsetKHz;
}
constexpr int kDefaultVolume = 10;
constexpr int kDefaultMtsMode = ZAQ_MTS_STEREO;
constexpr int kMaxMtsMode = 3;
constexpr int kMaxVolume = 31;
constexpr int kMaxSensitivity = 3;

bool IsNtscCountry(const std::string& country) {
    for (const char* name : {"USA", "Canada", "Mexico", "Japan", "Taiwan", "Korea"})
        if (strcasecmp(country.c_str(), name) == 0) return true;
    return false;
}

const char* Env(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

void PutU32(uint8_t* record, int offset, uint32_t value) {
    std::memcpy(record + offset, &value, sizeof value);
}

}  // namespace

Card& Card::Instance() {
    static Card card;
    return card;
}

Card::Card() {
    std::lock_guard<std::mutex> lock(mutex_);
    LoadDefaultsLocked();
}

Card::~Card() {
    StopLiveVideo(false);
    StopEventThread();
}

void Card::LoadDefaultsLocked() {
    channels_ = ChannelTable::Builtin();
    band_ = FmBand::Builtin();
    std::string text, error;
    if (const char* path = Env("SIM_TUNER_CHANNELS")) {
        if (!ReadTextFile(path, &text) || !ChannelTable::Parse(text, &channels_, &error))
            std::fprintf(stderr, "sim tuner: %s unusable (%s), built-in channels used\n", path,
                         error.c_str());
    }
    if (const char* path = Env("SIM_TUNER_FM_BAND")) {
        if (!ReadTextFile(path, &text) || !FmBand::Parse(text, &band_, &error))
            std::fprintf(stderr, "sim tuner: %s unusable (%s), built-in band used\n", path,
                         error.c_str());
    }
    manualClock_ = Env("SIM_TUNER_MANUAL_CLOCK") && std::atoi(Env("SIM_TUNER_MANUAL_CLOCK")) != 0;
    {
        std::lock_guard<std::mutex> eventLock(eventMutex_);
        const char* ms = Env("SIM_TUNER_EVENT_MS");
        eventIntervalMs_ = ms ? std::max(0, std::atoi(ms)) : 5000;
    }
    nextHandle_ = 1;
    handles_.clear();
    owner_ = 0;
    mode_ = -1;
    slot_ = selectOffset_ = fineOffset_ = 0;
    fmStartKHz_ = static_cast<int>(std::lround(simtuner::kFmDefaultStartMHz * 1000));
    fmCount_ = simtuner::kFmDefaultCount;
    fmChannel_ = 0;
    sensitivity_ = 1;
    properties_ = {{ZAQ_PROP_VOLUME, kDefaultVolume},
                   {ZAQ_PROP_MUTE, 0},
                   {ZAQ_PROP_MTS_MODE, kDefaultMtsMode}};
    country_ = "USA";
    settings_ = {{Setting::kInputType, 0},
                 {Setting::kVideoType, ZAQ_VIDEO_NTSC},
                 {Setting::kVideoSource, 0},
                 {Setting::kAudioSource, 0}};
    playbackState_ = SIM_PLAYBACK_STOPPED;
    scanSpeed_ = 0;
    recordingLength_ = 3600;
    playbackPosition_ = 0;
    frameIndex_ = 0;
}

bool Card::ValidHandleLocked(int handle) const {
    return handles_.count(handle) != 0;
}

bool Card::OwnsLocked(int handle) const {
    return mode_ >= 0 && handle == owner_;
}

bool Card::OwnsModeLocked(int handle, int mode) const {
    return OwnsLocked(handle) && mode_ == mode;
}

int Card::Init(int* handle) {
    if (!handle) return -1;
    std::lock_guard<std::mutex> lock(mutex_);
    *handle = nextHandle_++;
    handles_.insert(*handle);
    return 0;
}

int Card::Open(int handle, int mode) {
    if (mode != ZAQ_MODE_TV && mode != ZAQ_MODE_FM) return -1;
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ValidHandleLocked(handle)) return -1;
    if (mode_ >= 0) return (owner_ == handle && mode_ == mode) ? 0 : -16;  // busy
    owner_ = handle;
    mode_ = mode;
    StartEventThreadLocked();
    return 0;
}

int Card::Close(int handle) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!OwnsLocked(handle)) return -1;
    }
    // A caller that forgot to stop live video still gets the frames stopped.
    StopLiveVideo(true);
    StopEventThread();
    std::lock_guard<std::mutex> lock(mutex_);
    owner_ = 0;
    mode_ = -1;
    return 0;
}

int Card::Release(int handle) {
    bool owns;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!ValidHandleLocked(handle)) return -1;
        owns = OwnsLocked(handle);
    }
    if (owns) Close(handle);
    std::lock_guard<std::mutex> lock(mutex_);
    handles_.erase(handle);
    return 0;
}

int Card::InstallEventCallback(ZaqEventCallback fn) {
    std::lock_guard<std::mutex> lock(eventFnMutex_);
    eventFn_ = fn;
    return 0;
}

int Card::ChannelCount(int handle, int* count) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsLocked(handle) || !count) return -1;
    *count = mode_ == ZAQ_MODE_TV ? channels_.SlotCount() : fmCount_;
    return 0;
}

int Card::SelectChannel(int handle, int index, int offset) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsLocked(handle)) return -1;
    if (mode_ == ZAQ_MODE_FM) {
        if (index < 0 || index >= fmCount_) return -1;
        fmChannel_ = index;
        return 0;
    }
    if (!channels_.Slot(index) || !WithinTuneOffset(offset)) return -1;
    slot_ = index;
    selectOffset_ = offset;
    fineOffset_ = 0;
    return 0;
}

int Card::SelectByFrequency(int handle, int frequencyKHz) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsLocked(handle)) return -1;
    if (mode_ == ZAQ_MODE_FM) {
        // 64 bits: any int frequency, INT_MIN and INT_MAX included, is merely off the band.
        const int64_t distance = int64_t(frequencyKHz) - fmStartKHz_;
        const int64_t channel = (distance + simtuner::kFmChannelKHz / 2) / simtuner::kFmChannelKHz;
        if (distance < 0 || channel >= fmCount_) return -1;
        fmChannel_ = static_cast<int>(channel);
        return 0;
    }
    const int slot = channels_.NearestSlot(frequencyKHz);
    if (slot < 0) return -1;
    slot_ = slot;
    selectOffset_ = frequencyKHz - channels_.Slot(slot)->frequencyKHz;
    fineOffset_ = 0;
    return 0;
}

int Card::FineTune(int handle, int offset) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsModeLocked(handle, ZAQ_MODE_TV) || !WithinTuneOffset(offset)) return -1;
    fineOffset_ = offset;
    return 0;
}

int Card::Scan(int handle, int index) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsLocked(handle)) return -1;
    if (mode_ == ZAQ_MODE_FM) {
        if (index < 0 || index >= fmCount_) return -1;
        return band_.LevelAt(FmFrequencyLocked(index));
    }
    const TvSlot* slot = channels_.Slot(index);
    if (!slot) return -1;
    return slot->hasStation ? 0 : 1;
}

int Card::SetFrequencyRange(int handle, double startMHz, int count) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsLocked(handle) || !(startMHz >= 50.0 && startMHz <= 120.0) || count < 1 ||
        count > 2000)
        return -1;
    fmStartKHz_ = static_cast<int>(std::lround(startMHz * 1000));
    fmCount_ = count;
    if (fmChannel_ >= count) fmChannel_ = 0;
    return 0;
}

int Card::SetSensitivity(int handle, int level) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsLocked(handle) || level < 0 || level > kMaxSensitivity) return -1;
    sensitivity_ = level;
    return 0;
}

int Card::SetProperty(int handle, int id, int value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ValidHandleLocked(handle)) return -1;
    if (id == ZAQ_PROP_VOLUME && (value < 0 || value > kMaxVolume)) return -1;
    if (id == ZAQ_PROP_MTS_MODE && (value < 0 || value > kMaxMtsMode)) return -1;
    if (id == ZAQ_PROP_MUTE) value = value != 0;
    properties_[id] = value;
    return 0;
}

int Card::GetProperty(int handle, int id, int* value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ValidHandleLocked(handle) || !value) return -1;
    if (id == ZAQ_PROP_MTS_MODE) {
        *value = EffectiveMtsLocked();
        return 0;
    }
    auto it = properties_.find(id);
    *value = it == properties_.end() ? 0 : it->second;
    return 0;
}

int Card::EffectiveMtsLocked() const {
    const int requested = properties_.at(ZAQ_PROP_MTS_MODE);
    const TvSlot* slot = channels_.Slot(slot_);
    const bool station =
        mode_ == ZAQ_MODE_TV && slot && slot->hasStation &&
        settings_.at(Setting::kVideoSource) == 0 &&
        std::abs(selectOffset_ + fineOffset_ - slot->bestOffset) <= simtuner::kTvCaptureRangeKHz;
    if (!station) return ZAQ_MTS_MONO;
    for (int mode = requested; mode > 0; --mode)
        if (slot->soundModes & (1 << mode)) return mode;
    return ZAQ_MTS_MONO;
}

int Card::SetCountry(int handle, const char* country) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ValidHandleLocked(handle) || !country || !*country) return -1;
    country_.assign(country, strnlen(country, ZAQ_COUNTRY_MAX_LENGTH - 1));
    settings_[Setting::kVideoType] = IsNtscCountry(country_) ? ZAQ_VIDEO_NTSC : ZAQ_VIDEO_PAL;
    return 0;
}

int Card::GetCountry(int handle, char* country) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ValidHandleLocked(handle) || !country) return -1;
    std::memcpy(country, country_.c_str(), country_.size() + 1);
    return 0;
}

int Card::SetValue(int handle, Setting which, int value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ValidHandleLocked(handle) || value < 0) return -1;
    if (which == Setting::kVideoType && value != ZAQ_VIDEO_NTSC && value != ZAQ_VIDEO_PAL)
        return -1;
    settings_[which] = value;
    return 0;
}

int Card::GetValue(int handle, Setting which, int* value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ValidHandleLocked(handle) || !value) return -1;
    *value = settings_.at(which);
    return 0;
}

int Card::Play(int handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsModeLocked(handle, ZAQ_MODE_TV)) return -1;
    playbackState_ = SIM_PLAYBACK_PLAYING;
    scanSpeed_ = 0;
    return 0;
}

int Card::Pause(int handle, bool on) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsModeLocked(handle, ZAQ_MODE_TV)) return -1;
    playbackState_ = on ? SIM_PLAYBACK_PAUSED : SIM_PLAYBACK_PLAYING;
    return 0;
}

int Card::ScanPlayback(int handle, int speed, bool forward) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsModeLocked(handle, ZAQ_MODE_TV) || speed <= 0) return -1;
    playbackState_ = forward ? SIM_PLAYBACK_FORWARD : SIM_PLAYBACK_BACKWARD;
    scanSpeed_ = speed;
    return 0;
}

int Card::TimeSearch(int handle, uint64_t seconds) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsModeLocked(handle, ZAQ_MODE_TV) || seconds > recordingLength_) return -1;
    playbackPosition_ = static_cast<uint32_t>(seconds);
    return 0;
}

int Card::PlaybackStatus(int handle, void* record) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!OwnsModeLocked(handle, ZAQ_MODE_TV) || !record) return -1;
    auto* bytes = static_cast<uint8_t*>(record);
    std::memset(bytes, 0, ZAQ_PLAYBACK_STATUS_SIZE);
    PutU32(bytes, 0, ZAQ_PLAYBACK_STATUS_SIZE);
    PutU32(bytes, ZAQ_PLAYBACK_LENGTH_OFFSET, recordingLength_);
    PutU32(bytes, SIM_PLAYBACK_POSITION_OFFSET, playbackPosition_);
    PutU32(bytes, SIM_PLAYBACK_SPEED_OFFSET, static_cast<uint32_t>(scanSpeed_));
    PutU32(bytes, ZAQ_PLAYBACK_STATE_OFFSET, static_cast<uint32_t>(playbackState_));
    return 0;
}

int Card::FmFrequencyLocked(int channel) const {
    return fmStartKHz_ + channel * simtuner::kFmChannelKHz;
}

}  // namespace tonvex
