// The SSE2 line implementation: 16 pixels per step, built from the same
// templates and table as the reference and equal to it byte for byte.
#include <emmintrin.h>

#include <cstring>

#include "video/kernels/kernel_set.h"
#include "video/kernels/kernel_set_build.h"

namespace {

inline __m128i Load(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline __m128i LoadRow(const void* p) {
    return _mm_load_si128(static_cast<const __m128i*>(p));
}
inline void Store(uint8_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// The constants of one line as registers.
struct Regs {
    explicit Regs(const ColourConstants& k)
        : lumaAdd(LoadRow(k.lumaAdd)),
          lumaSubtract(LoadRow(k.lumaSubtract)),
          chromaAdd(LoadRow(k.chromaAdd)),
          chromaSubtract(LoadRow(k.chromaSubtract)),
          lumaGain(LoadRow(k.lumaGain)),
          chromaGain(LoadRow(k.chromaGain)),
          lumaCentre(LoadRow(k.lumaCentre)),
          chromaCentre(LoadRow(k.chromaCentre)),
          hue(LoadRow(k.hue)),
          tWord(LoadRow(k.tWord)) {}
    __m128i lumaAdd, lumaSubtract, chromaAdd, chromaSubtract;
    __m128i lumaGain, chromaGain, lumaCentre, chromaCentre, hue, tWord;
};

template <Vert V>
inline __m128i Vertical(const LineJob& j, int i) {
    if constexpr (V == Vert::kNone) return Load(j.a + i);
    if constexpr (V == Vert::kMean) return _mm_avg_epu8(Load(j.a + i), Load(j.b + i));
    if constexpr (V == Vert::kHalf) {
        const __m128i low7 = _mm_set1_epi8(0x7F);
        const __m128i a = _mm_and_si128(_mm_srli_epi16(Load(j.a + i), 1), low7);
        const __m128i b = _mm_and_si128(_mm_srli_epi16(Load(j.b + i), 1), low7);
        return _mm_adds_epu8(a, b);
    }
    if constexpr (V == Vert::kTap) {
        return _mm_avg_epu8(Load(j.a + i), _mm_avg_epu8(Load(j.b + i), Load(j.c + i)));
    }
}

inline __m128i Blend(__m128i video, const uint8_t* overlay, const uint8_t* keep) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i k = Load(keep);
    const __m128i lo = _mm_srli_epi16(
        _mm_mullo_epi16(_mm_unpacklo_epi8(video, zero), _mm_unpacklo_epi8(k, zero)), 4);
    const __m128i hi = _mm_srli_epi16(
        _mm_mullo_epi16(_mm_unpackhi_epi8(video, zero), _mm_unpackhi_epi8(k, zero)), 4);
    return _mm_adds_epu8(_mm_packus_epi16(lo, hi), Load(overlay));
}

// Gain about a centre on widened samples; with mode 2 the quadratic T term.
template <int M>
inline __m128i LumaWords(__m128i widened, const Regs& r) {
    const __m128i flip = _mm_set1_epi16(static_cast<int16_t>(0x8000));
    __m128i out =
        _mm_adds_epi16(_mm_mulhi_epi16(_mm_xor_si128(widened, flip), r.lumaGain), r.lumaCentre);
    if constexpr (M == kColourHueT) {
        const __m128i square = _mm_srli_epi16(_mm_mulhi_epu16(widened, widened), 1);
        out = _mm_adds_epi16(out, _mm_mulhi_epi16(square, r.tWord));
    }
    return out;
}

template <int M>
inline __m128i LumaColour(__m128i v, const Regs& r) {
    if constexpr (M == kColourAddSubtract) {
        return _mm_subs_epu8(_mm_adds_epu8(v, r.lumaAdd), r.lumaSubtract);
    } else {
        return _mm_packus_epi16(LumaWords<M>(_mm_unpacklo_epi8(v, v), r),
                                LumaWords<M>(_mm_unpackhi_epi8(v, v), r));
    }
}

// Words alternate U, V; each hue product is swapped to its partner's position.
template <int M>
inline __m128i ChromaWords(__m128i widened, const Regs& r) {
    const __m128i flip = _mm_set1_epi16(static_cast<int16_t>(0x8000));
    const __m128i centred = _mm_xor_si128(widened, flip);
    __m128i out = _mm_adds_epi16(_mm_mulhi_epi16(centred, r.chromaGain), r.chromaCentre);
    if constexpr (M == kColourHueT) {
        __m128i h = _mm_mulhi_epi16(centred, r.hue);
        h = _mm_shufflehi_epi16(_mm_shufflelo_epi16(h, 0xB1), 0xB1);
        out = _mm_adds_epi16(out, h);
    }
    return out;
}

template <int M>
inline __m128i ChromaColour(__m128i v, const Regs& r) {
    if constexpr (M == kColourAddSubtract) {
        return _mm_subs_epu8(_mm_adds_epu8(v, r.chromaAdd), r.chromaSubtract);
    } else {
        return _mm_packus_epi16(ChromaWords<M>(_mm_unpacklo_epi8(v, v), r),
                                ChromaWords<M>(_mm_unpackhi_epi8(v, v), r));
    }
}

// The span widened to whole steps inside [from, to); outside the span the
// overlay planes are transparent, so blending a little more changes nothing.
struct Window {
    Window(const Span& s, int from, int to) {
        if (s.begin >= s.end) {
            begin = end = to;
            return;
        }
        begin = Clamp(s.begin & ~15, from, to);
        end = Clamp((s.end + 15) & ~15, begin, to);
    }
    static int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
    bool Holds(int i) const { return i >= begin && i < end; }
    int begin;
    int end;
};

template <int M, Vert V, bool kBlend>
inline void LumaRun(const LineJob& j, const Regs& r, int from, int to) {
    for (int i = from; i < to; i += 16) {
        __m128i v = Vertical<V>(j, i);
        if constexpr (kBlend) v = Blend(v, j.overlayY + i, j.keepY + i);
        Store(j.y + i, LumaColour<M>(v, r));
    }
}

inline void StoreSplit(uint8_t* u, uint8_t* v, __m128i first, __m128i second) {
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    Store(u, _mm_packus_epi16(_mm_and_si128(first, lowBytes), _mm_and_si128(second, lowBytes)));
    Store(v, _mm_packus_epi16(_mm_srli_epi16(first, 8), _mm_srli_epi16(second, 8)));
}

template <int M, bool kBlend>
inline __m128i ChromaStep(const LineJob& j, const Regs& r, int i) {
    __m128i c = Load(j.chroma + i);
    if constexpr (kBlend) c = Blend(c, j.overlayUV + i, j.keepUV + i);
    return ChromaColour<M>(c, r);
}

// Chroma bytes [from, to) split into U and V, 32 bytes per step where it can.
template <int M, bool kBlend>
inline void SplitRun(const LineJob& j, const Regs& r, int from, int to) {
    int i = from;
    for (; i + 32 <= to; i += 32) {
        StoreSplit(j.u + i / 2, j.v + i / 2, ChromaStep<M, kBlend>(j, r, i),
                   ChromaStep<M, kBlend>(j, r, i + 16));
    }
    if (i < to) {
        const __m128i lowBytes = _mm_set1_epi16(0x00FF);
        const __m128i zero = _mm_setzero_si128();
        const __m128i c = ChromaStep<M, kBlend>(j, r, i);
        const __m128i u = _mm_packus_epi16(_mm_and_si128(c, lowBytes), zero);
        const __m128i v = _mm_packus_epi16(_mm_srli_epi16(c, 8), zero);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(j.u + i / 2), u);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(j.v + i / 2), v);
    }
}

// Neutral add/subtract constants leave mode-0 luma unchanged.
inline bool NeutralLuma(const ColourConstants& k) {
    static const uint8_t kZero[16] = {};
    return std::memcmp(k.lumaAdd, kZero, 16) == 0 && std::memcmp(k.lumaSubtract, kZero, 16) == 0;
}

struct Sse2Lines {
    static constexpr int kStep = 16;

    template <int M, Vert V>
    static void Luma(const LineJob& j, int from, int to) {
        const Window w(j.lumaSpan, from, to);
        if constexpr (M == kColourAddSubtract && V == Vert::kNone) {
            // A plain copy when nothing changes the line: the common direct-play case.
            if (w.begin == to && NeutralLuma(*j.k)) {
                std::memcpy(j.y + from, j.a + from, size_t(to - from));
                return;
            }
        }
        const Regs r(*j.k);
        LumaRun<M, V, false>(j, r, from, w.begin);
        LumaRun<M, V, true>(j, r, w.begin, w.end);
        LumaRun<M, V, false>(j, r, w.end, to);
    }

    // Pairs [from, to), eight per step.
    template <int M>
    static void ChromaSplit(const LineJob& j, int from, int to) {
        const Regs r(*j.k);
        const Window w(j.chromaSpan, 2 * from, 2 * to);
        SplitRun<M, false>(j, r, 2 * from, w.begin);
        SplitRun<M, true>(j, r, w.begin, w.end);
        SplitRun<M, false>(j, r, w.end, 2 * to);
    }

    template <int M, Vert V, PackedOrder O>
    static void Packed(const LineJob& j, int from, int to) {
        const Regs r(*j.k);
        const Window wy(j.lumaSpan, from, to);
        const Window wc(j.chromaSpan, from, to);
        for (int i = from; i < to; i += 16) {
            __m128i y = Vertical<V>(j, i);
            if (wy.Holds(i)) y = Blend(y, j.overlayY + i, j.keepY + i);
            y = LumaColour<M>(y, r);
            __m128i c = Load(j.chroma + i);
            if (wc.Holds(i)) c = Blend(c, j.overlayUV + i, j.keepUV + i);
            c = ChromaColour<M>(c, r);
            const __m128i first = O == PackedOrder::kYuyv ? y : c;
            const __m128i second = O == PackedOrder::kYuyv ? c : y;
            Store(j.y + 2 * i, _mm_unpacklo_epi8(first, second));
            Store(j.y + 2 * i + 16, _mm_unpackhi_epi8(first, second));
        }
    }
};

}  // namespace

const KernelSet* Sse2Kernels() {
    static const KernelSet set = KernelSetBuilder<Sse2Lines>::Build("sse2");
    return &set;
}
