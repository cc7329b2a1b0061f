// The TV favourites file: 12 positions read as whitespace-separated numbers;
// whatever it holds, the positions are slots or empty, and what is written
// reads back the same.
#include <sstream>

#include "fuzz/support/fuzz_input.h"
#include "plugins/tv/tv_persistence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream file(FuzzText(data, size));
    const std::vector<int> favourites = ReadFavourites(file);
    FUZZ_CHECK(favourites.size() == size_t(kTvFavourites));
    for (size_t i = 0; i < favourites.size(); ++i) {
        FUZZ_CHECK(favourites[i] >= -1 && favourites[i] < kTvSlots);
        FUZZ_CHECK(!FavouriteLabel(int(i) + 1, favourites[i]).empty());
    }
    std::istringstream written(FavouritesText(favourites));
    FUZZ_CHECK(ReadFavourites(written) == favourites);
    return 0;
}
