// The favourites file and the favourite labels.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "plugins/tv/tv_persistence.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

constexpr int kEmpty = -1;

std::string TwoDigits(const char* prefix, int number) {
    return std::string(prefix) + (number <= 9 ? "0" : "") + std::to_string(number);
}

// A line holding a slot index; anything else is an empty position.
int ParseFavourite(const std::string& line) {
    const char* text = line.c_str();
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text) return kEmpty;
    while (*end == ' ' || *end == '\t' || *end == '\r') ++end;
    if (*end != '\0' || value < 0 || value >= kTvSlots) return kEmpty;
    return static_cast<int>(value);
}

}  // namespace

std::string FavouriteLabel(int position, int slot) {
    if (slot < 0) return TwoDigits("SAVE", position);
    return TwoDigits("CH", slot + 1);
}

void LoadFavourites(TvController& tv) {
    // Every start replaces the positions: a second start never adds 12 more.
    tv.favourites.clear();
    tv.favouriteLabels.clear();
    struct stat info;
    const bool exists = ::lstat(kFavouritesFile, &info) == 0;
    std::ifstream file;
    if (exists) file.open(kFavouritesFile);
    for (int position = 1; position <= kTvFavourites; ++position) {
        std::string line;
        const int slot = file.is_open() && std::getline(file, line) ? ParseFavourite(line) : kEmpty;
        tv.favourites.push_back(slot);
        tv.favouriteLabels.push_back(FavouriteLabel(position, slot));
    }
}

void SaveFavourites(const TvController& tv) {
    std::FILE* file = std::fopen(kFavouritesFile, "w");
    if (!file) return;
    for (int position = 0; position < kTvFavourites; ++position) {
        const int slot =
            position < static_cast<int>(tv.favourites.size()) ? tv.favourites[position] : kEmpty;
        std::fprintf(file, "%d\n", slot);
    }
    std::fclose(file);
}
