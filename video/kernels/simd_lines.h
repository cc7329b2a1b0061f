// The fast line implementation, written once over a vector-operations type W
// (16-byte SSE2 or 32-byte AVX2 registers). Included only by the SIMD files,
// each built with its own flags; it follows the reference step for step.
#pragma once

#include <cstring>

#include "video/kernels/line_job.h"

template <class W>
struct SimdLines {
    using V = typename W::V;
    static constexpr int kStep = W::kBytes;

    // The constants of one line as registers.
    struct Regs {
        explicit Regs(const ColourConstants& k)
            : lumaAdd(W::Row(k.lumaAdd)),
              lumaSubtract(W::Row(k.lumaSubtract)),
              chromaAdd(W::Row(k.chromaAdd)),
              chromaSubtract(W::Row(k.chromaSubtract)),
              lumaGain(W::Row(k.lumaGain)),
              chromaGain(W::Row(k.chromaGain)),
              lumaCentre(W::Row(k.lumaCentre)),
              chromaCentre(W::Row(k.chromaCentre)),
              hue(W::Row(k.hue)),
              tWord(W::Row(k.tWord)) {}
        V lumaAdd, lumaSubtract, chromaAdd, chromaSubtract;
        V lumaGain, chromaGain, lumaCentre, chromaCentre, hue, tWord;
    };

    template <Vert Vt>
    static V Vertical(const LineJob& j, int i) {
        if constexpr (Vt == Vert::kNone) return W::Load(j.a + i);
        if constexpr (Vt == Vert::kMean) return W::Avg8(W::Load(j.a + i), W::Load(j.b + i));
        if constexpr (Vt == Vert::kHalf) {
            const V low7 = W::SetByte(0x7F);
            const V a = W::And(W::template Srli16<1>(W::Load(j.a + i)), low7);
            const V b = W::And(W::template Srli16<1>(W::Load(j.b + i)), low7);
            return W::AddsU8(a, b);
        }
        if constexpr (Vt == Vert::kTap) {
            return W::Avg8(W::Load(j.a + i), W::Avg8(W::Load(j.b + i), W::Load(j.c + i)));
        }
    }

    // Video scaled by the complement alpha, then the premultiplied overlay added.
    static V Blend(V video, const uint8_t* overlay, const uint8_t* keep) {
        const V zero = W::Zero();
        const V k = W::Load(keep);
        const V lo =
            W::template Srli16<4>(W::MulLo16(W::UnpackLo8(video, zero), W::UnpackLo8(k, zero)));
        const V hi =
            W::template Srli16<4>(W::MulLo16(W::UnpackHi8(video, zero), W::UnpackHi8(k, zero)));
        return W::AddsU8(W::PackUs16(lo, hi), W::Load(overlay));
    }

    // Gain about a centre on the centred words (Y x 257 with the top bit
    // flipped); with the T term, the square of the widened word Y x 257.
    template <bool kT>
    static V LumaWords(V centred, V widened, const Regs& r) {
        V out = W::Adds16(W::MulHi16(centred, r.lumaGain), r.lumaCentre);
        if constexpr (kT) {
            const V square = W::template Srli16<1>(W::MulHiU16(widened, widened));
            out = W::Adds16(out, W::MulHi16(square, r.tWord));
        }
        return out;
    }

    // (Y x 257) XOR 0x8000 is Y in the low byte and Y XOR 0x80 in the high one.
    static V FlipTop(V v) { return W::Xor(v, W::SetByte(char(0x80))); }

    // kT: mode 2 with a non-zero T; without it the T term adds nothing.
    template <int M, bool kT>
    static V LumaColour(V v, const Regs& r) {
        if constexpr (M == kColourAddSubtract) {
            return W::SubsU8(W::AddsU8(v, r.lumaAdd), r.lumaSubtract);
        } else {
            const V flipped = FlipTop(v);
            const V lo = W::UnpackLo8(v, flipped);
            const V hi = W::UnpackHi8(v, flipped);
            if constexpr (M == kColourHueT && kT) {
                return W::PackUs16(LumaWords<true>(lo, W::UnpackLo8(v, v), r),
                                   LumaWords<true>(hi, W::UnpackHi8(v, v), r));
            }
            return W::PackUs16(LumaWords<false>(lo, lo, r), LumaWords<false>(hi, hi, r));
        }
    }

    // Words alternate U, V; each hue product is swapped to its partner's position.
    template <int M>
    static V ChromaWords(V centred, const Regs& r) {
        V out = W::Adds16(W::MulHi16(centred, r.chromaGain), r.chromaCentre);
        if constexpr (M == kColourHueT) {
            out = W::Adds16(out, W::SwapWordPairs(W::MulHi16(centred, r.hue)));
        }
        return out;
    }

    template <int M>
    static V ChromaColour(V v, const Regs& r) {
        if constexpr (M == kColourAddSubtract) {
            return W::SubsU8(W::AddsU8(v, r.chromaAdd), r.chromaSubtract);
        } else {
            const V flipped = FlipTop(v);
            return W::PackUs16(ChromaWords<M>(W::UnpackLo8(v, flipped), r),
                               ChromaWords<M>(W::UnpackHi8(v, flipped), r));
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
            begin = Clamp(s.begin / kStep * kStep, from, to);
            end = Clamp((s.end + kStep - 1) / kStep * kStep, begin, to);
        }
        static int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
        bool Holds(int i) const { return i >= begin && i < end; }
        int begin;
        int end;
    };

    // kPlain: mode 0 with neutral constants, where the colour step is the identity.
    template <int M, Vert Vt, bool kBlend, bool kT, bool kPlain>
    static void LumaRun(const LineJob& j, const Regs& r, int from, int to) {
        for (int i = from; i < to; i += kStep) {
            V v = Vertical<Vt>(j, i);
            if constexpr (kBlend) v = Blend(v, j.overlayY + i, j.keepY + i);
            if constexpr (!kPlain) v = LumaColour<M, kT>(v, r);
            W::Store(j.y + i, v);
        }
    }

    template <int M, Vert Vt, bool kT, bool kPlain = false>
    static void LumaLine(const LineJob& j, const Regs& r, const Window& w, int from, int to) {
        LumaRun<M, Vt, false, kT, kPlain>(j, r, from, w.begin);
        LumaRun<M, Vt, true, kT, kPlain>(j, r, w.begin, w.end);
        LumaRun<M, Vt, false, kT, kPlain>(j, r, w.end, to);
    }

    static bool WithT(const LineJob& j) { return j.k->tWord[0] != 0; }

    template <int M, bool kBlend>
    static V ChromaStep(const LineJob& j, const Regs& r, int i) {
        V c = W::Load(j.chroma + i);
        if constexpr (kBlend) c = Blend(c, j.overlayUV + i, j.keepUV + i);
        return ChromaColour<M>(c, r);
    }

    // Chroma bytes [from, to) split into U and V, two registers per step where it can.
    template <int M, bool kBlend>
    static void SplitRun(const LineJob& j, const Regs& r, int from, int to) {
        int i = from;
        for (; i + 2 * kStep <= to; i += 2 * kStep) {
            W::StoreSplit(j.u + i / 2, j.v + i / 2, ChromaStep<M, kBlend>(j, r, i),
                          ChromaStep<M, kBlend>(j, r, i + kStep));
        }
        if (i < to) W::StoreSplitHalf(j.u + i / 2, j.v + i / 2, ChromaStep<M, kBlend>(j, r, i));
    }

    // Mode 0 with neutral chroma offsets and no overlay: only the split remains.
    static void PlainSplit(const LineJob& j, int from, int to) {
        int i = from;
        for (; i + 4 * kStep <= to; i += 4 * kStep) {
            const V a = W::Load(j.chroma + i), b = W::Load(j.chroma + i + kStep);
            const V c = W::Load(j.chroma + i + 2 * kStep), d = W::Load(j.chroma + i + 3 * kStep);
            W::StoreSplit(j.u + i / 2, j.v + i / 2, a, b);
            W::StoreSplit(j.u + i / 2 + kStep, j.v + i / 2 + kStep, c, d);
        }
        for (; i + 2 * kStep <= to; i += 2 * kStep) {
            W::StoreSplit(j.u + i / 2, j.v + i / 2, W::Load(j.chroma + i),
                          W::Load(j.chroma + i + kStep));
        }
        if (i < to) W::StoreSplitHalf(j.u + i / 2, j.v + i / 2, W::Load(j.chroma + i));
    }

    template <int M, Vert Vt>
    static void Luma(const LineJob& j, int from, int to) {
        const Window w(j.lumaSpan, from, to);
        const Regs r(*j.k);
        if constexpr (M == kColourAddSubtract) {
            if (j.k->lumaUnchanged) {
                // Nothing changes a plain line: the common direct-play case is a copy.
                if (Vt == Vert::kNone && w.begin == to) {
                    std::memcpy(j.y + from, j.a + from, size_t(to - from));
                } else {
                    LumaLine<M, Vt, false, true>(j, r, w, from, to);
                }
                return;
            }
        }
        if (M == kColourHueT && WithT(j)) {
            LumaLine<M, Vt, true>(j, r, w, from, to);
        } else {
            LumaLine<M, Vt, false>(j, r, w, from, to);
        }
    }

    // Pairs [from, to).
    template <int M>
    static void ChromaSplit(const LineJob& j, int from, int to) {
        const Window w(j.chromaSpan, 2 * from, 2 * to);
        if constexpr (M == kColourAddSubtract) {
            if (w.begin == 2 * to && j.k->chromaUnchanged) {
                PlainSplit(j, 2 * from, 2 * to);
                return;
            }
        }
        const Regs r(*j.k);
        SplitRun<M, false>(j, r, 2 * from, w.begin);
        SplitRun<M, true>(j, r, w.begin, w.end);
        SplitRun<M, false>(j, r, w.end, 2 * to);
    }

    template <int M, Vert Vt, PackedOrder O, bool kT>
    static void PackedLine(const LineJob& j, int from, int to) {
        const Regs r(*j.k);
        const Window wy(j.lumaSpan, from, to);
        const Window wc(j.chromaSpan, from, to);
        for (int i = from; i < to; i += kStep) {
            V y = Vertical<Vt>(j, i);
            if (wy.Holds(i)) y = Blend(y, j.overlayY + i, j.keepY + i);
            y = LumaColour<M, kT>(y, r);
            V c = W::Load(j.chroma + i);
            if (wc.Holds(i)) c = Blend(c, j.overlayUV + i, j.keepUV + i);
            c = ChromaColour<M>(c, r);
            if constexpr (O == PackedOrder::kYuyv) {
                W::StoreInterleaved(j.y + 2 * i, y, c);
            } else {
                W::StoreInterleaved(j.y + 2 * i, c, y);
            }
        }
    }

    template <int M, Vert Vt, PackedOrder O>
    static void Packed(const LineJob& j, int from, int to) {
        if (M == kColourHueT && WithT(j)) {
            PackedLine<M, Vt, O, true>(j, from, to);
        } else {
            PackedLine<M, Vt, O, false>(j, from, to);
        }
    }
};
