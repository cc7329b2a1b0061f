// The FM band as the controller sees it: channel i is start + i x 0.05 MHz; the band
// follows the country setting.
#pragma once

#include <string>

namespace sonidra {

struct FmBand {
    double startMHz = 87.5;
    int count = 411;

    double FrequencyMHz(int channel) const { return startMHz + channel * 0.05; }
    // True for a channel index of the band, 0 to count - 1.
    bool Contains(int channel) const { return channel >= 0 && channel < count; }
    // "%.1f" of the channel's frequency.
    std::string Text(int channel) const;
    // The frequency in hertz, truncated (and held within int for a channel far
    // outside the band).
    int Hertz(int channel) const;
    // The channel nearest to a frequency ("%.0f" rounding of the channel offset).
    int ChannelOf(double megahertz) const;
};

// "Japan" gives 76.0 MHz and 281 channels; any other country, or none, 87.5 and 411.
FmBand BandForCountry(const char* country);
// The band for the stored country setting.
FmBand BandFromSettings();

}  // namespace sonidra
