// Channel-slot table and FM band: the built-in data, the text-file parsers and the signal
// level of the FM model.
#include "sim/tuner/tonvex/tables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tonvex {
namespace {

constexpr int kMaxSlots = 512;
// Bounds that keep every sum of the signal model within int: a best offset of
// 1 GHz, a station centre of 100 GHz.
constexpr int kMostOffsetKHz = 1000000;
constexpr double kMostCentreMHz = 100000;

int SoundModesFromName(const std::string& name) {
    if (name == "mono") return simtuner::kSoundMono;
    if (name == "stereo") return simtuner::kSoundStereo;
    if (name == "bilingual") return simtuner::kSoundBilingual;
    if (name == "all") return simtuner::kSoundAll;
    return -1;
}

// Strips a '#' comment; true when something is left.
bool ContentOf(std::string line, std::istringstream* in) {
    auto hash = line.find('#');
    if (hash != std::string::npos) line.resize(hash);
    if (line.find_first_not_of(" \t\r") == std::string::npos) return false;
    in->clear();
    in->str(line);
    return true;
}

bool Fail(std::string* error, int lineNumber, const char* what) {
    if (error) *error = "line " + std::to_string(lineNumber) + ": " + what;
    return false;
}

}  // namespace

int CableFrequencyKHz(int slot) {
    const int channel = slot + 1;
    int mhzTimes4;  // frequencies end in .25 MHz
    if (channel == 1) {
        mhzTimes4 = 293;  // 73.25
    } else if (channel <= 4) {
        mhzTimes4 = 221 + 24 * (channel - 2);  // 55.25, 61.25, 67.25
    } else if (channel <= 6) {
        mhzTimes4 = 309 + 24 * (channel - 5);  // 77.25, 83.25
    } else if (channel <= 13) {
        mhzTimes4 = 701 + 24 * (channel - 7);  // 175.25 ...
    } else if (channel <= 22) {
        mhzTimes4 = 485 + 24 * (channel - 14);  // 121.25 ...
    } else if (channel <= 94) {
        mhzTimes4 = 869 + 24 * (channel - 23);  // 217.25 ...
    } else if (channel <= 99) {
        mhzTimes4 = 365 + 24 * (channel - 95);  // 91.25 ...
    } else {
        mhzTimes4 = 2597 + 24 * (channel - 100);  // 649.25 ...
    }
    return mhzTimes4 * 250;
}

ChannelTable ChannelTable::Builtin() {
    ChannelTable table;
    table.Resize(simtuner::kBuiltinSlotCount);
    for (const auto& s : simtuner::kBuiltinTvStations) {
        TvSlot& slot = table.slots_[s.slot];
        slot.hasStation = true;
        slot.bestOffset = s.bestOffset;
        slot.soundModes = s.soundModes;
        slot.pattern = s.pattern;
    }
    return table;
}

void ChannelTable::Resize(int count) {
    slots_.assign(count, TvSlot{});
    for (int i = 0; i < count; ++i) slots_[i].frequencyKHz = CableFrequencyKHz(i);
}

bool ChannelTable::Parse(const std::string& text, ChannelTable* out, std::string* error) {
    ChannelTable table;
    table.Resize(simtuner::kBuiltinSlotCount);
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    int stations = 0;
    std::istringstream in;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!ContentOf(line, &in)) continue;
        std::string word;
        in >> word;
        if (word == "slots") {
            int count = 0;
            if (!(in >> count) || count < 1 || count > kMaxSlots || stations > 0)
                return Fail(error, lineNumber, "slots must come first, 1..512");
            table.Resize(count);
        } else if (word == "station") {
            int slot = 0, offset = 0;
            std::string sound;
            if (!(in >> slot >> offset >> sound)) return Fail(error, lineNumber, "short line");
            int pattern = stations % simtuner::kPatternCount;
            in >> pattern;
            const int modes = SoundModesFromName(sound);
            if (slot < 0 || slot >= table.SlotCount()) return Fail(error, lineNumber, "slot");
            if (offset < -kMostOffsetKHz || offset > kMostOffsetKHz)
                return Fail(error, lineNumber, "best offset");
            if (modes < 0) return Fail(error, lineNumber, "sound mode");
            if (pattern < 0 || pattern >= simtuner::kPatternCount)
                return Fail(error, lineNumber, "pattern");
            table.slots_[slot] = {table.slots_[slot].frequencyKHz, true, offset, modes, pattern};
            ++stations;
        } else {
            return Fail(error, lineNumber, "unknown item");
        }
    }
    *out = std::move(table);
    return true;
}

const TvSlot* ChannelTable::Slot(int index) const {
    if (index < 0 || index >= SlotCount()) return nullptr;
    return &slots_[index];
}

int ChannelTable::NearestSlot(int frequencyKHz) const {
    int best = -1;
    int64_t bestDistance = simtuner::kTvCaptureRangeKHz + 1;
    for (int i = 0; i < SlotCount(); ++i) {
        const int64_t distance = std::llabs(int64_t(slots_[i].frequencyKHz) - frequencyKHz);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

FmBand FmBand::Builtin() {
    FmBand band;
    band.stations_.assign(std::begin(simtuner::kBuiltinFmStations),
                          std::end(simtuner::kBuiltinFmStations));
    return band;
}

bool FmBand::Parse(const std::string& text, FmBand* out, std::string* error) {
    FmBand band;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    std::istringstream in;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!ContentOf(line, &in)) continue;
        std::string first;
        in >> first;
        if (first == "floor") {
            if (!(in >> band.floorMax_) || band.floorMax_ < 0)
                return Fail(error, lineNumber, "floor");
            continue;
        }
        char* end = nullptr;
        const double mhz = std::strtod(first.c_str(), &end);
        simtuner::FmStation s{0, 0, 0, 8};
        if (*end != '\0' || !(mhz > 0 && mhz <= kMostCentreMHz) || !(in >> s.peak) || s.peak < 0)
            return Fail(error, lineNumber, "expected <MHz> <peak>");
        s.centreKHz = static_cast<int>(std::lround(mhz * 1000));
        in >> s.flatHalfKHz;
        in >> s.slopePerChannel;
        if (s.flatHalfKHz < 0 || s.slopePerChannel <= 0)
            return Fail(error, lineNumber, "flat width or fall");
        band.stations_.push_back(s);
    }
    *out = std::move(band);
    return true;
}

int FmBand::LevelAt(int frequencyKHz) const {
    uint32_t h = static_cast<uint32_t>(frequencyKHz) * 2654435761u;
    h ^= h >> 15;
    // 64 bits throughout: a file may give any peak, width and fall, and a caller any
    // frequency, so sums and products of them overflow int.
    int64_t level = h % (static_cast<uint32_t>(floorMax_) + 1u);
    for (const auto& s : stations_) {
        const int64_t distance = std::llabs(int64_t(frequencyKHz) - s.centreKHz);
        const int64_t beyond = std::max<int64_t>(0, distance - s.flatHalfKHz);
        // Whole channels beyond the flat top, rounded up so a partial step already falls.
        const int64_t steps = (beyond + simtuner::kFmChannelKHz - 1) / simtuner::kFmChannelKHz;
        level = std::max(level, s.peak - steps * s.slopePerChannel);
    }
    return static_cast<int>(level);
}

bool ReadTextFile(const char* path, std::string* text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream content;
    content << file.rdbuf();
    *text = content.str();
    return true;
}

}  // namespace tonvex
