// FM preset strings ("%d#" fields, strtol base 0): in either band every preset
// is a channel of the band, there are always ten to recall, and the saved text
// reads back the same.
#include "fuzz/support/fuzz_input.h"
#include "plugins/fm/fm_favourites.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The store hands out at most 512 characters, NUL-terminated.
    const std::string text = FuzzText(data, size < 512 ? size : 512);
    for (const char* country : {"Japan", "USA"}) {
        const sonidra::FmBand band = sonidra::BandForCountry(country);
        const std::vector<int> presets = sonidra::ParseFavourites(text.c_str(), band);
        FUZZ_CHECK(presets.size() >= size_t(sonidra::kFavouriteSlots));
        for (size_t slot = 0; slot < presets.size(); ++slot) {
            FUZZ_CHECK(band.Contains(presets[slot]));
            const std::string line = sonidra::FavouriteLine(int(slot), band, presets[slot]);
            FUZZ_CHECK(line.find("MHz") != std::string::npos);
            FUZZ_CHECK(band.Hertz(presets[slot]) > 0);
        }
        const std::string saved = sonidra::FormatFavourites(presets);
        FUZZ_CHECK(sonidra::ParseFavourites(saved.c_str(), band) == presets);
    }
    return 0;
}
