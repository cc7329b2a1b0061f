// The ten favourite stations: channel indices kept in the settings store as "%d#"
// fields, and the lines the setup menu lists them with.
#pragma once

#include <string>
#include <vector>

#include "plugins/fm/fm_band.h"

namespace sonidra {

constexpr int kFavouriteSlots = 10;

// Fields up to each '#', read as strtol base 0 reads them on a 32-bit system ("0x10"
// hexadecimal, "010" octal, saturating at the 32-bit limits); text after the last '#'
// is ignored. A channel outside the band becomes channel 0, as a missing preset is,
// and a list shorter than ten slots is filled with channel 0, so every favourite key
// has a slot of the band to recall.
std::vector<int> ParseFavourites(const char* text, const FmBand& band);
// "%d#" per entry.
std::string FormatFavourites(const std::vector<int>& favourites);
// "%02d\t-\t%.1f\tMHz" of (slot + 1, frequency).
std::string FavouriteLine(int slot, const FmBand& band, int channel);

std::vector<int> LoadFavourites(const FmBand& band);
void SaveFavourites(const std::vector<int>& favourites);

}  // namespace sonidra
