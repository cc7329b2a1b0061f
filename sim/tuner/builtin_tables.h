// The simulated card's built-in TV station table and FM band. Tests of the plug-ins may
// rely on these values; the environment variables SIM_TUNER_CHANNELS and SIM_TUNER_FM_BAND
// (or sim_tuner_load_channels / sim_tuner_load_fm_band) replace them.
#pragma once

namespace simtuner {

// ---- TV ----
// 125 channel slots; slot i is cable channel i + 1 of the North American cable plan
// (slot 0 = 73.25 MHz, slot 1 = 55.25 MHz, slot 6 = 175.25 MHz, ...; picture carrier).
// A station's picture shows its channel number (slot + 1) in big digits over its test
// pattern, with noise that grows with the distance of the tuned offset (select offset plus
// fine tuning, in kHz) from the station's best offset.
//
// Sound modes (property 122): bit m set when mode m is offered (0 mono, 1 stereo, 2 second
// language, 3 stereo with second language). Mono is always offered; asking for a mode the
// station lacks gives the highest offered mode below it.
constexpr int kSoundMono = 0x1;
constexpr int kSoundStereo = 0x3;
constexpr int kSoundBilingual = 0x5;
constexpr int kSoundAll = 0xF;

// Test patterns, after the Linux vivid driver's.
enum Pattern : int {
    kPatternColorBars75 = 0,
    kPatternColorBars100,
    kPatternCheckers16,
    kPatternGrayRamp,
    kPatternHorizontalLines,
    kPatternVerticalLines,
    kPatternCross,
    kPatternColorSquares,
    kPatternCount
};

struct TvStation {
    int slot;
    int bestOffset;  // kHz
    int soundModes;
    int pattern;
};

constexpr int kBuiltinSlotCount = 125;

// Slots 0, 3, 5, ... hold no station. Slot 124, the last, holds one.
constexpr TvStation kBuiltinTvStations[] = {
    {1, 0, kSoundStereo, kPatternColorBars75},
    {2, -250, kSoundMono, kPatternColorBars100},
    {4, 500, kSoundAll, kPatternCheckers16},
    {6, 0, kSoundStereo, kPatternGrayRamp},
    {8, 250, kSoundBilingual, kPatternHorizontalLines},
    {10, -500, kSoundMono, kPatternVerticalLines},
    {12, 750, kSoundStereo, kPatternCross},
    {21, 0, kSoundAll, kPatternColorSquares},
    {27, -1000, kSoundStereo, kPatternColorBars75},
    {40, 1250, kSoundMono, kPatternColorBars100},
    {55, 0, kSoundBilingual, kPatternCheckers16},
    {63, -750, kSoundStereo, kPatternGrayRamp},
    {88, 250, kSoundAll, kPatternHorizontalLines},
    {101, -1500, kSoundMono, kPatternVerticalLines},
    {124, 500, kSoundStereo, kPatternCross},
};

// Beyond this distance from the best offset the station is lost in snow.
constexpr int kTvCaptureRangeKHz = 3000;

// ---- FM ----
// Channel i of the band (start, count) is start + i * 0.05 MHz; even channels lie on the
// 0.1 MHz grid in both the 87.5 MHz (411 channels) and the 76.0 MHz (281 channels) band.
// level(channel) = max(noise floor, profile of each station), where a station's profile is
// its peak within flatHalfKHz of its centre and falls by slopePerChannel for every 50 kHz
// beyond. The noise floor is 0..kFmNoiseFloorMax, fixed per frequency.
//
// Default band (87.5 MHz, 411 channels), centre channel and the even-channel samples a
// seek sees around the centre (two channels apart; '..' is the noise floor):
//   87.9 MHz  ch   8  peak 62   14 30 46 62 46 30 14
//   89.3 MHz  ch  36  peak 24   ..  8 24  8 ..
//   89.9 MHz  ch  48  peak 55    7 23 39 55 39 23  7
//   91.5 MHz  ch  80  peak 70   flat top of three samples: ch 78, 80, 82 = 70; 76 and 84 = 54
//   93.45 MHz ch 119  peak 48   flat top of two samples: ch 118, 120 = 48; 116 and 122 = 32
//   95.8 MHz  ch 166  peak 32   16 32 16
//   97.1 MHz  ch 192  peak 18   .. 18 ..
//   98.7 MHz  ch 224  peak 66
//   101.5 MHz ch 280  peak 58
//   104.3 MHz ch 336  peak 40
//   105.9 MHz ch 368  peak 21
//   107.8 MHz ch 406  peak 60   (ch 408 = 44; ch 410 coincides with ch 0 in a seek)
// Japanese band (76.0 MHz, 281 channels):
//   76.5 MHz ch 10 peak 50; 80.0 MHz ch 80 peak 64; 81.3 MHz ch 106 peak 26;
//   82.5 MHz ch 130 peak 45, flat top of three samples (ch 128, 130, 132);
//   84.75 MHz ch 175 peak 36, flat top of two samples (ch 174, 176);
//   87.9 ch 238 peak 62; 89.3 ch 266 peak 24; 89.9 ch 278 peak 55 (two below the top).
// With the plug-in's thresholds (35 - 7 x sensitivity: 35, 28, 21, 14, 7) the peaks of 21,
// 24, 26, 32 and 36 separate the sensitivities; everything else lies below 7.
struct FmStation {
    int centreKHz;
    int peak;
    int flatHalfKHz;
    int slopePerChannel;
};

constexpr FmStation kBuiltinFmStations[] = {
    {76500, 50, 0, 8},   {80000, 64, 0, 8},  {81300, 26, 0, 8},  {82500, 45, 100, 8},
    {84750, 36, 50, 8},  {87900, 62, 0, 8},  {89300, 24, 0, 8},  {89900, 55, 0, 8},
    {91500, 70, 100, 8}, {93450, 48, 50, 8}, {95800, 32, 0, 8},  {97100, 18, 0, 8},
    {98700, 66, 0, 8},   {101500, 58, 0, 8}, {104300, 40, 0, 8}, {105900, 21, 0, 8},
    {107800, 60, 0, 8},
};

constexpr int kFmNoiseFloorMax = 5;
constexpr int kFmChannelKHz = 50;
constexpr double kFmDefaultStartMHz = 87.5;
constexpr int kFmDefaultCount = 411;

}  // namespace simtuner
