// Names of the settings-store keys the FM plug-in reads and writes; other programs
// share them, so they never change.
#pragma once

namespace sonidra {

constexpr const char kKeyFmChannel[] = "SolvaneON_FM_CHANNELNUM";
constexpr const char kKeyFmVolume[] = "SolvaneON_FM_VOLUME";
constexpr const char kKeyFmSensitivity[] = "SolvaneON_FM_SENSITIVITY_LEVEL";
constexpr const char kKeyFmFavourites[] = "SolvaneON_FM_FAVORITE_CHANNELS";
constexpr const char kKeyFmPreviousFavourite[] = "SolvaneON_FM_PREVIOUS_FAVORITE_CH";
constexpr const char kKeyAudioInput[] = "SolvaneON_TV_AUDIOINPUTSOURCE";
constexpr const char kKeyCountry[] = "SolvaneON_TV_CONTRY";
constexpr const char kKeyResolution[] = "SolvaneON_RESOLUTION";
// The resolution setting that picks the 800 x 600 skin.
constexpr int kSmallSkin = 3;

}  // namespace sonidra
