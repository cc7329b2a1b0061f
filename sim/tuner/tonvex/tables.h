// The card's station data: the TV channel-slot table and the FM band's signal model, each
// built in (builtin_tables.h) or read from a small text file.
#pragma once

#include <string>
#include <vector>

#include "sim/tuner/builtin_tables.h"

namespace tonvex {

// Picture-carrier frequency of a slot in the North American cable plan (slot i = channel
// i + 1), in kHz; slots past channel 125 continue in 6 MHz steps.
int CableFrequencyKHz(int slot);

struct TvSlot {
    int frequencyKHz = 0;
    bool hasStation = false;
    int bestOffset = 0;
    int soundModes = simtuner::kSoundMono;
    int pattern = 0;
};

// Text format, one item a line, '#' starts a comment:
//   slots <count>                                   (1..512, default 125)
//   station <slot> <best offset kHz> <mono|stereo|bilingual|all> [<pattern 0..7>]
class ChannelTable {
  public:
    static ChannelTable Builtin();
    static bool Parse(const std::string& text, ChannelTable* out, std::string* error);

    int SlotCount() const { return static_cast<int>(slots_.size()); }
    const TvSlot* Slot(int index) const;
    // The slot whose frequency lies nearest, or -1 beyond the capture range of every slot.
    int NearestSlot(int frequencyKHz) const;

  private:
    void Resize(int count);
    std::vector<TvSlot> slots_;
};

// Text format, one item a line, '#' starts a comment:
//   <centre MHz> <peak> [<flat half-width kHz> [<fall per 50 kHz>]]
//   floor <max>                                     (noise floor 0..max, default 5)
class FmBand {
  public:
    static FmBand Builtin();
    static bool Parse(const std::string& text, FmBand* out, std::string* error);

    int LevelAt(int frequencyKHz) const;

  private:
    std::vector<simtuner::FmStation> stations_;
    int floorMax_ = simtuner::kFmNoiseFloorMax;
};

// Reads a whole file; false when it cannot be read.
bool ReadTextFile(const char* path, std::string* text);

}  // namespace tonvex
