// The favourites file and the favourite labels.
#include <sys/stat.h>

#include <cctype>
#include <fstream>
#include <sstream>

#include "platform/atomic_file.h"
#include "platform/stored_number.h"
#include "plugins/tv/tv_persistence.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

constexpr int kEmpty = -1;
// No slot number needs more; a longer word is junk, however it goes on.
constexpr size_t kLongestWord = 32;

std::string TwoDigits(const char* prefix, int number) {
    return std::string(prefix) + (number <= 9 ? "0" : "") + std::to_string(number);
}

// The next whitespace-separated word, cut to kLongestWord + 1 characters so a
// hostile file costs no memory; false at the end of the input.
bool NextWord(std::istream& in, std::string* word) {
    word->clear();
    int c = in.get();
    while (c != EOF && std::isspace(c)) c = in.get();
    for (; c != EOF && !std::isspace(c); c = in.get()) {
        if (word->size() <= kLongestWord) word->push_back(static_cast<char>(c));
    }
    return !word->empty();
}

// A word holding a slot index; anything else is an empty position.
int ParseFavourite(const std::string& word) {
    if (word.size() > kLongestWord) return kEmpty;
    const char* text = word.c_str();
    char* end = nullptr;
    const int32_t value = ParseStoredInt32(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value >= kTvSlots) return kEmpty;
    return value;
}

}  // namespace

std::string FavouriteLabel(int position, int slot) {
    if (slot < 0) return TwoDigits("SAVE", position);
    return TwoDigits("CH", slot + 1);
}

std::vector<int> ReadFavourites(std::istream& in) {
    std::vector<int> slots;
    std::string word;
    while (slots.size() < static_cast<size_t>(kTvFavourites) && NextWord(in, &word)) {
        slots.push_back(ParseFavourite(word));
    }
    slots.resize(kTvFavourites, kEmpty);
    return slots;
}

std::string FavouritesText(const std::vector<int>& favourites) {
    std::string text;
    for (int position = 0; position < kTvFavourites; ++position) {
        const int slot =
            position < static_cast<int>(favourites.size()) ? favourites[position] : kEmpty;
        text += std::to_string(slot) + "\n";
    }
    return text;
}

void LoadFavourites(TvController& tv) {
    // Every start replaces the positions: a second start never adds 12 more.
    tv.favourites.clear();
    tv.favouriteLabels.clear();
    struct stat info;
    std::ifstream file;
    if (::lstat(kFavouritesFile, &info) == 0) file.open(kFavouritesFile, std::ios::binary);
    std::istringstream none;
    tv.favourites = ReadFavourites(file.is_open() ? static_cast<std::istream&>(file) : none);
    for (int position = 1; position <= kTvFavourites; ++position) {
        tv.favouriteLabels.push_back(FavouriteLabel(position, tv.favourites[position - 1]));
    }
}

int SaveFavourites(const TvController& tv) {
    return ReplaceFileContents(kFavouritesFile, FavouritesText(tv.favourites));
}
