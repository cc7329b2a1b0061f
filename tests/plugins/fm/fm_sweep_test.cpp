// The seek sweep on small synthetic bands: where it stops, which events it sends, and
// how it ends when it finds nothing or is asked to stop.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "plugins/fm/fm_sweep.h"

namespace {

using sonidra::SweepDirection;

constexpr int kCount = 41;  // channels 0..40; 40 coincides with 0 in a sweep
constexpr int kThreshold = 14;

class FakeBand : public sonidra::SweepPort {
  public:
    explicit FakeBand(std::map<int, int> levels) : levels_(std::move(levels)) {}
    int Level(int channel) override {
        EXPECT_GE(channel, 0);
        EXPECT_LT(channel, kCount - 1);
        auto it = levels_.find(channel);
        return it == levels_.end() ? 0 : it->second;
    }
    void Report(int channel, int event) override {
        trace.push_back(std::to_string(event) + ":" + std::to_string(channel));
        if (channel == stopAt) stop = true;
    }
    bool StopRequested() override { return stop; }

    std::vector<std::string> trace;
    int stopAt = -1;
    bool stop = false;

  private:
    std::map<int, int> levels_;
};

struct Seek {
    int result;
    std::vector<std::string> trace;
};

Seek RunSweep(FakeBand& band, SweepDirection direction, int start, int threshold = kThreshold) {
    sonidra::SweepRequest request;
    request.direction = direction;
    request.start = start;
    request.threshold = threshold;
    request.count = kCount;
    const sonidra::SweepOutcome outcome = sonidra::Sweep(request, band);
    const int result = sonidra::FinishSweep(request, outcome, band.stop, band);
    return {result, band.trace};
}

// The last n entries of a trace.
std::vector<std::string> Tail(const std::vector<std::string>& trace, size_t n) {
    if (trace.size() < n) return trace;
    return std::vector<std::string>(trace.end() - static_cast<long>(n), trace.end());
}

std::map<int, int> ThreeWidePlateau() {
    return {{14, 20}, {16, 40}, {18, 40}, {20, 40}, {22, 20}};
}

std::map<int, int> TwoWidePlateau() {
    return {{14, 20}, {16, 40}, {18, 40}, {20, 20}};
}

TEST(FmSweepPlateau, ThreeEqualSamplesUpEndOnTheMiddleAndTuneIt) {
    FakeBand band(ThreeWidePlateau());
    Seek seek = RunSweep(band, SweepDirection::kUp, 0);
    EXPECT_EQ(seek.result, 18);
    EXPECT_EQ(Tail(seek.trace, 5),
              (std::vector<std::string>{"107:14", "107:16", "106:18", "107:18", "108:0"}));
}

TEST(FmSweepPlateau, ThreeEqualSamplesDownEndOnTheMiddleAndTuneIt) {
    FakeBand band(ThreeWidePlateau());
    Seek seek = RunSweep(band, SweepDirection::kDown, 30);
    EXPECT_EQ(seek.result, 18);
    EXPECT_EQ(Tail(seek.trace, 5),
              (std::vector<std::string>{"107:22", "107:20", "106:18", "107:18", "108:0"}));
}

TEST(FmSweepPlateau, TwoEqualSamplesUpEndOnTheLowerOneAlreadyTuned) {
    FakeBand band(TwoWidePlateau());
    Seek seek = RunSweep(band, SweepDirection::kUp, 0);
    EXPECT_EQ(seek.result, 16);
    EXPECT_EQ(Tail(seek.trace, 3), (std::vector<std::string>{"107:14", "107:16", "108:0"}));
}

TEST(FmSweepPlateau, TwoEqualSamplesDownEndOnTheLowerOneAndTuneIt) {
    FakeBand band(TwoWidePlateau());
    Seek seek = RunSweep(band, SweepDirection::kDown, 30);
    EXPECT_EQ(seek.result, 16);
    EXPECT_EQ(Tail(seek.trace, 5),
              (std::vector<std::string>{"107:20", "107:18", "106:16", "107:16", "108:0"}));
}

TEST(FmSweepPeak, SinglePeakEndsOnItWithoutAnotherTune) {
    FakeBand band({{10, 20}, {12, 30}, {14, 20}});
    Seek seek = RunSweep(band, SweepDirection::kUp, 2);
    EXPECT_EQ(seek.result, 12);
    EXPECT_EQ(Tail(seek.trace, 3), (std::vector<std::string>{"107:10", "107:12", "108:0"}));
}

TEST(FmSweepPeak, PeakBelowTheThresholdIsPassedOver) {
    FakeBand band({{10, 5}, {12, 10}, {14, 5}});
    Seek seek = RunSweep(band, SweepDirection::kUp, 2);
    EXPECT_EQ(seek.result, 2);
    EXPECT_EQ(Tail(seek.trace, 2), (std::vector<std::string>{"107:2", "108:0"}));
}

TEST(FmSweepPeak, UpwardSweepWrapsPastTheTopOfTheBand) {
    FakeBand band({{2, 20}, {4, 30}, {6, 20}});
    Seek seek = RunSweep(band, SweepDirection::kUp, 30);
    EXPECT_EQ(seek.result, 4);
    EXPECT_EQ(Tail(seek.trace, 3), (std::vector<std::string>{"107:2", "107:4", "108:0"}));
}

TEST(FmSweepNothingFound, FullSweepReturnsToTheStart) {
    for (SweepDirection direction : {SweepDirection::kUp, SweepDirection::kDown}) {
        FakeBand band({});
        Seek seek = RunSweep(band, direction, 10);
        EXPECT_EQ(seek.result, 10);
        EXPECT_EQ(Tail(seek.trace, 2), (std::vector<std::string>{"107:10", "108:0"}));
    }
}

TEST(FmSweepNothingFound, SweepFromTheTopChannelReturnsToIt) {
    for (SweepDirection direction : {SweepDirection::kUp, SweepDirection::kDown}) {
        FakeBand band({});
        Seek seek = RunSweep(band, direction, kCount - 1);
        EXPECT_EQ(seek.result, kCount - 1);
        EXPECT_EQ(Tail(seek.trace, 2), (std::vector<std::string>{"107:40", "108:0"}));
    }
}

TEST(FmSweepStop, StopRequestEndsOnTheLastPositionPassed) {
    FakeBand band({});
    band.stopAt = 20;
    Seek seek = RunSweep(band, SweepDirection::kUp, 0);
    EXPECT_EQ(seek.result, 20);
    EXPECT_EQ(Tail(seek.trace, 3), (std::vector<std::string>{"106:20", "107:20", "108:0"}));
}

TEST(FmSweepReduce, PositionsReduceModuloTheBandLessOne) {
    EXPECT_EQ(sonidra::ReduceChannel(410, 411), 0);
    EXPECT_EQ(sonidra::ReduceChannel(412, 411), 2);
    EXPECT_EQ(sonidra::ReduceChannel(-2, 411), 408);
    EXPECT_EQ(sonidra::ReduceChannel(5, 1), 0);
}

}  // namespace
