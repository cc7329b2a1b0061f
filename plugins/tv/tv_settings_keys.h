// Names of the settings-store keys and files the TV plug-in reads and writes;
// other programs share them, so they never change.
#pragma once

constexpr const char kKeyChannelList[] = "ZAQTVCHANNELLIST";
constexpr const char kKeyChannelNumber[] = "SolvaneOn_TV_CHANNELNUM";
constexpr const char kKeyCountry[] = "SolvaneON_TV_CONTRY";
constexpr const char kKeyInputType[] = "SolvaneON_TV_TVINPUTTYPE";
constexpr const char kKeyVideoType[] = "SolvaneON_TV_TVVIDEOTYPE";
constexpr const char kKeyTvVolume[] = "SolvaneON_TV_VOLUME";
constexpr const char kKeyVideoInput[] = "SolvaneON_D_TVVIDEOINPUT";
constexpr const char kKeyDefaultCountry[] = "SolvaneON_D_CONTRY";
constexpr const char kKeyResolution[] = "SolvaneON_RESOLUTION";

constexpr const char kFavouritesFile[] = "FAVORITECHANNELLIST.dat";
constexpr const char kOffsetsFile[] = "ZAQFREQUENCYOFFSET.dat";
