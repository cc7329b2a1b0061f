// The ten favourite stations: channel indices kept in the settings store as "%d#"
// fields, and the lines the setup menu lists them with.
#pragma once

#include <string>
#include <vector>

#include "plugins/fm/fm_band.h"

namespace sonidra {

constexpr int kFavouriteSlots = 10;

// Fields up to each '#', read with strtol base 0 ("0x10" hexadecimal, "010" octal);
// text after the last '#' is ignored. A list shorter than ten slots is filled with
// channel 0, so every favourite key has a slot to recall.
std::vector<int> ParseFavourites(const char* text);
// "%d#" per entry.
std::string FormatFavourites(const std::vector<int>& favourites);
// "%02d\t-\t%.1f\tMHz" of (slot + 1, frequency).
std::string FavouriteLine(int slot, const FmBand& band, int channel);

std::vector<int> LoadFavourites();
void SaveFavourites(const std::vector<int>& favourites);

}  // namespace sonidra
