// Loading, saving and listing the favourite stations.
#include "plugins/fm/fm_favourites.h"
#include "plugins/fm/fm_settings_keys.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "interfaces/tuner_service.h"
#include "platform/stored_number.h"

namespace sonidra {
namespace {

constexpr const char kDefaultFavourites[] = "0#0#0#0#0#0#0#0#0#0#";

}  // namespace

std::vector<int> ParseFavourites(const char* text, const FmBand& band) {
    std::vector<int> favourites;
    const std::string all = text ? text : "";
    size_t start = 0;
    for (size_t end = all.find('#'); end != std::string::npos; end = all.find('#', start)) {
        const std::string field = all.substr(start, end - start);
        const int channel = ParseStoredInt32(field.c_str(), nullptr, 0);
        favourites.push_back(band.Contains(channel) ? channel : 0);
        start = end + 1;
    }
    if (favourites.size() < static_cast<size_t>(kFavouriteSlots))
        favourites.resize(kFavouriteSlots, 0);
    return favourites;
}

std::string FormatFavourites(const std::vector<int>& favourites) {
    std::string text;
    for (int channel : favourites) text += std::to_string(channel) + "#";
    return text;
}

std::string FavouriteLine(int slot, const FmBand& band, int channel) {
    char line[64];
    std::snprintf(line, sizeof line, "%02d\t-\t%.1f\tMHz", slot + 1, band.FrequencyMHz(channel));
    return line;
}

std::vector<int> LoadFavourites(const FmBand& band) {
    char text[ZAQ_SETTING_MAX_LENGTH] = "";
    if (getRegStr(kKeyFmFavourites, text) != 0) return ParseFavourites(kDefaultFavourites, band);
    text[sizeof text - 1] = '\0';
    return ParseFavourites(text, band);
}

void SaveFavourites(const std::vector<int>& favourites) {
    setRegStr(kKeyFmFavourites, FormatFavourites(favourites).c_str());
}

}  // namespace sonidra
