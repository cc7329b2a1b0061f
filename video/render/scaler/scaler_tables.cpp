// Fitted size, index tables and weight pairs of the aspect-fitting scaler.
#include "video/render/scaler/scaler_tables.h"

#include <cmath>

namespace {

constexpr int32_t kWeightOne = 65536;

// Walks k = 0 ... n - 1 with k x (m - 1) = q x (n - 1) + t, without division
// per step.
class RemainderWalk {
  public:
    RemainderWalk(int outputLength, int sourceLength)
        : divisor_(outputLength - 1), step_(sourceLength - 1) {}
    int32_t Quotient() const { return quotient_; }
    int32_t Remainder() const { return remainder_; }
    // The nearest source index, an exact half rounded down.
    int32_t Nearest() const { return quotient_ + (remainder_ > divisor_ / 2 ? 1 : 0); }
    void Advance() {
        remainder_ += step_;
        if (remainder_ >= divisor_) {
            quotient_ += remainder_ / divisor_;
            remainder_ %= divisor_;
        }
    }

  private:
    int32_t divisor_;
    int32_t step_;
    int32_t quotient_ = 0;
    int32_t remainder_ = 0;
};

int DifferenceStep(int target, int box) {
    // The two's-complement AND keeps the sign: -75 becomes -76.
    return box + ((target - box) & ~3);
}

}  // namespace

ScalerFit FitInBox(float aspect, int boxWidth, int boxHeight) {
    const double r = aspect;
    if (r >= double(boxWidth) / double(boxHeight)) {
        const int height = int(std::trunc(double(boxWidth) / r + 0.5));
        return ScalerFit{boxWidth, DifferenceStep(height, boxHeight)};
    }
    const int width = int(std::trunc(double(boxHeight) * r + 0.5));
    return ScalerFit{DifferenceStep(width, boxWidth), boxHeight};
}

std::vector<int32_t> BuildIndexTable(int outputLength, int sourceLength) {
    if (outputLength <= 0) return {};
    if (outputLength == 1) return {0};
    std::vector<int32_t> table(static_cast<size_t>(outputLength));
    RemainderWalk walk(outputLength, sourceLength);
    for (int k = 0; k < outputLength; ++k, walk.Advance()) table[size_t(k)] = walk.Nearest();
    return table;
}

std::vector<ScalerWeight> BuildWeightTable(int outputLength, int sourceLength) {
    std::vector<ScalerWeight> weights;
    if (outputLength < 2 || outputLength < sourceLength) return weights;
    const int64_t divisor = outputLength - 1;
    RemainderWalk walk(outputLength, sourceLength);
    int32_t previous = walk.Nearest();
    for (int k = 1; k < outputLength; ++k) {
        walk.Advance();
        const int32_t index = walk.Nearest();
        if (index == previous) {
            const int32_t w = int32_t((divisor - walk.Remainder()) * kWeightOne / divisor);
            weights.push_back(ScalerWeight{k, walk.Quotient(), w, kWeightOne - w});
        }
        previous = index;
    }
    return weights;
}
