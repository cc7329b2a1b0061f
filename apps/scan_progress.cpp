// Following the scan reports and counting the stations the card found.
#include "apps/scan_progress.h"

#include <algorithm>

#include "sim/tuner/sim_tuner.h"

namespace host {

ScanCard SimulatedScanCard() {
    ScanCard card;
    card.slotCount = [] {
        int slots = 0;
        SimTvStationInfo info{};
        while (sim_tuner_tv_station(slots, &info) == 0) ++slots;
        return slots;
    };
    // The simulated card answers a slot's scan from its station table.
    card.hasStation = [](int slot) {
        SimTvStationInfo info{};
        return sim_tuner_tv_station(slot, &info) == 0 && info.hasStation != 0;
    };
    return card;
}

void ScanProgress::Start() {
    slots_ = card_.slotCount ? card_.slotCount() : 0;
    counted_ = 0;
    found_ = 0;
    finished_ = false;
}

void ScanProgress::Update(bool scanning, int reportedSlot) {
    if (scanning && (!running_ || reportedSlot < slot_)) Start();
    if (scanning) {
        // Report n comes once the slots before it have been scanned.
        CountFoundUpTo(reportedSlot - 1);
    } else if (running_) {
        CountFoundUpTo(reportedSlot);
        finished_ = true;
    }
    running_ = scanning;
    slot_ = reportedSlot;
}

int ScanProgress::Slots() const {
    return std::max(slots_, slot_);
}

void ScanProgress::CountFoundUpTo(int slot) {
    const int limit = std::min(slot, Slots());
    for (; counted_ < limit; ++counted_)
        if (card_.hasStation && card_.hasStation(counted_)) ++found_;
}

std::string ScanProgress::Text(int barWidth) const {
    const std::string total = std::to_string(Slots());
    const std::string found =
        std::to_string(found_) + (found_ == 1 ? " station found" : " stations found");
    if (running_) {
        const int slots = std::max(1, Slots());
        const int filled = std::max(0, std::min(barWidth, barWidth * slot_ / slots));
        return "scan [" + std::string(size_t(filled), '#') +
               std::string(size_t(barWidth - filled), '.') + "] slot " + std::to_string(slot_) +
               " of " + total + ", " + found;
    }
    if (finished_)
        return "scan done: " + std::to_string(slot_) + " of " + total + " slots, " + found;
    return "";
}

}  // namespace host
