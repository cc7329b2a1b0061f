// The band from the country setting, and frequency texts.
#include "plugins/fm/fm_band.h"
#include "plugins/fm/fm_settings_keys.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "interfaces/tuner_service.h"

namespace sonidra {

std::string FmBand::Text(int channel) const {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", FrequencyMHz(channel));
    return text;
}

int FmBand::Hertz(int channel) const {
    const double hertz = FrequencyMHz(channel) * 1000000;
    if (hertz >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (hertz <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(hertz);
}

int FmBand::ChannelOf(double megahertz) const {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", (megahertz - startMHz) * 20);
    return std::atoi(text);
}

FmBand BandForCountry(const char* country) {
    if (country && std::strcmp(country, "Japan") == 0) return FmBand{76.0, 281};
    return FmBand{87.5, 411};
}

FmBand BandFromSettings() {
    // The store may fill up to its longest value, so the buffer is that size.
    char country[ZAQ_SETTING_MAX_LENGTH] = "";
    if (getRegStr(kKeyCountry, country) != 0) return BandForCountry(nullptr);
    country[sizeof country - 1] = '\0';
    return BandForCountry(country);
}

}  // namespace sonidra
