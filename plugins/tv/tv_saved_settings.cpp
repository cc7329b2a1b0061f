// The channel list and the settings the host lists (picture and tuner items):
// applied when TV starts or defaults are restored, saved when TV ends.
#include <cstring>
#include <vector>

#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_persistence.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

void ApplyPictureItems(TvController& tv, std::vector<CZAQPictureItem>& items) {
    for (CZAQPictureItem& item : items) {
        if (item.id < 0) continue;
        tv.Engine(kDvrSetPicture, &item.id, item.value);
    }
}

// Room for whatever a tuner item's command reads or writes: an int, or a
// country text for the commands that take one.
union ItemWord {
    int value;
    char text[ZAQ_COUNTRY_MAX_LENGTH];
};

void ApplyTunerItems(TvController& tv, std::vector<CZAQTunerItem>& items) {
    for (CZAQTunerItem& item : items) {
        ItemWord word{};
        word.value = item.value;
        tv.Engine(static_cast<unsigned>(item.setCommand), &word);
    }
}

void SaveTunerItems(TvController& tv) {
    std::vector<CZAQTunerItem> tuners;
    tv.registration->FillTunerItems(tuners);
    for (CZAQTunerItem& item : tuners) {
        ItemWord word{};
        word.value = item.value;
        tv.Engine(static_cast<unsigned>(item.getCommand), nullptr, 0, &word);
        setRegInt(item.key.c_str(), word.value);
    }
}

}  // namespace

bool LoadChannelList(TvController& tv) {
    char buffer[ZAQ_SETTING_MAX_LENGTH] = {};
    if (getRegStr(kKeyChannelList, buffer) != 0) return false;
    const size_t length = strnlen(buffer, kTvSlots);
    tv.channelList.assign(kTvSlots, '0');
    for (size_t i = 0; i < length; ++i) tv.channelList[i] = buffer[i] == '1' ? '1' : '0';
    return true;
}

void SaveChannelList(TvController& tv, int count) {
    if (count < 0) count = 0;
    if (count > kTvSlots) count = kTvSlots;
    setRegStr(kKeyChannelList, tv.channelList.substr(0, static_cast<size_t>(count)).c_str());
}

void ApplyItemsAtStart(TvController& tv) {
    if (!tv.registration) return;
    std::vector<CZAQPictureItem> pictures;
    tv.registration->FillPictureItems(pictures);
    ApplyPictureItems(tv, pictures);
    std::vector<CZAQTunerItem> tuners;
    tv.registration->FillTunerItems(tuners);
    ApplyTunerItems(tv, tuners);
}

void ApplyPictureGroup(TvController& tv, int group) {
    if (!tv.registration) return;
    std::vector<CZAQPictureItem> items;
    tv.registration->FillPictureGroupItems(items, group);
    ApplyPictureItems(tv, items);
}

void ApplyTunerGroup(TvController& tv, int group) {
    if (!tv.registration) return;
    std::vector<CZAQTunerItem> items;
    tv.registration->FillTunerGroupItems(items, group);
    ApplyTunerItems(tv, items);
}

void SaveAtExit(TvController& tv) {
    if (tv.registration) {
        std::vector<CZAQPictureItem> pictures;
        tv.registration->FillPictureItems(pictures);
        for (CZAQPictureItem& item : pictures) {
            if (item.id < 0) continue;
            tv.Engine(kDvrGetPicture, &item.id, 0, &item.value);
            setRegInt(item.key.c_str(), item.value);
        }
    }
    tv.muted = false;
    tv.EngineValue(kDvrMute, 0);
    if (tv.registration) SaveTunerItems(tv);
    const int slot = CurrentSlot(tv);
    setRegInt(kKeyChannelNumber, slot < 0 ? 0 : slot);
    char country[ZAQ_COUNTRY_MAX_LENGTH] = {};
    if (tv.Engine(kDvrGetCountry, nullptr, 0, country) == 0) setRegStr(kKeyCountry, country);
    SaveFavourites(tv);
}
