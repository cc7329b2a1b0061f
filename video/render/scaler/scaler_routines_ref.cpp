// The plain routines of the aspect-fitting scaler: nearest-neighbour and
// linear lines for pixels of 1, 3 or 4 bytes and for packed 4:2:2, and the
// three picture walks.
#include <algorithm>
#include <cstring>

#include "video/render/scaler/scaler_routines.h"

namespace {

template <int Bytes>
void NearestBytesLine(const ScalerPlane& plane, const uint8_t* sourceLine, uint8_t* out) {
    const int32_t* columns = plane.columns->data();
    for (int x = 0; x < plane.fittedWidth; ++x)
        std::memcpy(out + x * Bytes, sourceLine + columns[x] * Bytes, Bytes);
}

// Each pair of output pixels: its two luma bytes from the pixels the column
// table names, U and V from the source pair the chroma column table names.
void NearestPacked422Line(const ScalerPlane& plane, const uint8_t* sourceLine, uint8_t* out) {
    const int32_t* columns = plane.columns->data();
    const int32_t* pairs = plane.chromaColumns->data();
    for (int p = 0; p < plane.fittedWidth / 2; ++p) {
        const uint8_t* chroma = sourceLine + pairs[p] * 4;
        out[4 * p] = sourceLine[columns[2 * p] * 2];
        out[4 * p + 1] = chroma[1];
        out[4 * p + 2] = sourceLine[columns[2 * p + 1] * 2];
        out[4 * p + 3] = chroma[3];
    }
}

// Walks the weight pairs in order beside the positions of one axis.
class WeightCursor {
  public:
    WeightCursor(const std::vector<ScalerWeight>* weights, int sourceLength)
        : weights_(weights), last_(sourceLength - 1) {}
    // The pair of this position, or null when it takes its index.
    const ScalerWeight* At(int position) {
        if (weights_ == nullptr || next_ >= weights_->size()) return nullptr;
        const ScalerWeight& w = (*weights_)[next_];
        if (w.position != position) return nullptr;
        ++next_;
        return &w;
    }
    // The neighbour of a base, kept inside the source (its weight is then 0).
    int32_t After(int32_t base) const { return std::min(base + 1, last_); }

  private:
    const std::vector<ScalerWeight>* weights_;
    int32_t last_;
    size_t next_ = 0;
};

}  // namespace

void LinearBytesLine(const ScalerPlane& plane, const uint8_t* sourceLine, uint8_t* out) {
    const int n = plane.bytesPerPixel;
    WeightCursor cursor(plane.columnWeights, plane.sourceWidth);
    for (int x = 0; x < plane.fittedWidth; ++x) {
        uint8_t* o = out + x * n;
        const ScalerWeight* w = cursor.At(x);
        if (w == nullptr) {
            std::memcpy(o, sourceLine + (*plane.columns)[size_t(x)] * n, size_t(n));
            continue;
        }
        const uint8_t* a = sourceLine + w->base * n;
        const uint8_t* b = sourceLine + cursor.After(w->base) * n;
        for (int c = 0; c < n; ++c) o[c] = BlendBytes(a[c], b[c], *w);
    }
}

void LinearPacked422Line(const ScalerPlane& plane, const uint8_t* sourceLine, uint8_t* out) {
    WeightCursor luma(plane.columnWeights, plane.sourceWidth);
    for (int x = 0; x < plane.fittedWidth; ++x) {
        const ScalerWeight* w = luma.At(x);
        out[2 * x] = w == nullptr ? sourceLine[(*plane.columns)[size_t(x)] * 2]
                                  : BlendBytes(sourceLine[w->base * 2],
                                               sourceLine[luma.After(w->base) * 2], *w);
    }
    WeightCursor chroma(plane.chromaColumnWeights, plane.sourceWidth / 2);
    for (int p = 0; p < plane.fittedWidth / 2; ++p) {
        const ScalerWeight* w = chroma.At(p);
        for (int c = 1; c <= 3; c += 2) {
            out[4 * p + c] = w == nullptr
                                 ? sourceLine[(*plane.chromaColumns)[size_t(p)] * 4 + c]
                                 : BlendBytes(sourceLine[w->base * 4 + c],
                                              sourceLine[chroma.After(w->base) * 4 + c], *w);
        }
    }
}

void CopyPlane(const ScalerPlane& plane, ScalerLineRoutine, const uint8_t* source, uint8_t* box,
               uint8_t*) {
    const size_t bytes = plane.FittedLineBytes();
    uint8_t* out = box + plane.boxOffset;
    for (int y = 0; y < plane.fittedHeight; ++y, out += plane.boxPitch, source += bytes)
        std::memcpy(out, source, bytes);
}

void NearestPlane(const ScalerPlane& plane, ScalerLineRoutine line, const uint8_t* source,
                  uint8_t* box, uint8_t*) {
    const int32_t* lines = plane.lines->data();
    const size_t pitch = plane.SourcePitch(), bytes = plane.FittedLineBytes();
    uint8_t* out = box + plane.boxOffset;
    line(plane, source, out);
    for (int y = 1; y < plane.fittedHeight; ++y) {
        uint8_t* next = out + plane.boxPitch;
        // A repeated source line is one block copy of the line above.
        if (lines[y] == lines[y - 1])
            std::memcpy(next, out, bytes);
        else
            line(plane, source + size_t(lines[y]) * pitch, next);
        out = next;
    }
}

void LinearPlane(const ScalerPlane& plane, ScalerLineRoutine line, const uint8_t* source,
                 uint8_t* box, uint8_t* scratch) {
    const size_t pitch = plane.SourcePitch(), bytes = plane.FittedLineBytes();
    uint8_t* const upper = scratch;
    uint8_t* const lower = scratch + bytes;
    WeightCursor cursor(plane.lineWeights, plane.sourceHeight);
    uint8_t* out = box + plane.boxOffset;
    for (int y = 0; y < plane.fittedHeight; ++y, out += plane.boxPitch) {
        const ScalerWeight* w = cursor.At(y);
        if (w == nullptr) {
            line(plane, source + size_t((*plane.lines)[size_t(y)]) * pitch, out);
            continue;
        }
        line(plane, source + size_t(w->base) * pitch, upper);
        line(plane, source + size_t(cursor.After(w->base)) * pitch, lower);
        for (size_t i = 0; i < bytes; ++i) out[i] = BlendBytes(upper[i], lower[i], *w);
    }
}

const ScalerRoutines& ReferenceScalerRoutines() {
    static const ScalerRoutines routines = {
        "reference",
        {nullptr, NearestBytesLine<1>, nullptr, NearestBytesLine<3>, NearestBytesLine<4>},
        NearestPacked422Line,
        nullptr};
    return routines;
}
