// The tuner stand-in's station files: the TV channel-slot table and the FM band,
// then the signal model asked about any frequency. The first byte picks the file.
#include <climits>

#include "fuzz/support/fuzz_input.h"
#include "sim/tuner/tonvex/tables.h"

namespace {

constexpr int kProbes[] = {INT_MIN, -1, 0, 1, 50, 55250, 87500, 108000, 801250, INT_MAX};

void ChannelFile(const std::string& text) {
    tonvex::ChannelTable table;
    std::string error;
    if (!tonvex::ChannelTable::Parse(text, &table, &error)) {
        FUZZ_CHECK(!error.empty());
        return;
    }
    FUZZ_CHECK(table.SlotCount() >= 1 && table.SlotCount() <= 512);
    for (int frequency : kProbes) {
        const int slot = table.NearestSlot(frequency);
        FUZZ_CHECK(slot == -1 || table.Slot(slot) != nullptr);
    }
    FUZZ_CHECK(table.Slot(-1) == nullptr && table.Slot(table.SlotCount()) == nullptr);
}

void BandFile(const std::string& text) {
    tonvex::FmBand band;
    std::string error;
    if (!tonvex::FmBand::Parse(text, &band, &error)) {
        FUZZ_CHECK(!error.empty());
        return;
    }
    for (int frequency : kProbes) FUZZ_CHECK(band.LevelAt(frequency) >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const bool channels = (input.Next<uint8_t>() & 1) == 0;
    const std::string text = input.Rest();
    if (channels) {
        ChannelFile(text);
    } else {
        BandFile(text);
    }
    return 0;
}
