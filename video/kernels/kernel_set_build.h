// Builds a kernel table from a line implementation. Impl runs whole steps of
// kStep pixels; Full<Impl, Narrow> hands the columns left over to Narrow's
// shorter steps, then to the reference, so no kernel needs a branch for odd widths.
#pragma once

#include "video/kernels/kernel_set.h"
#include "video/kernels/line_ref.h"

template <class Impl, class Narrow>
struct Full {
    // Columns [0, wide) go to Impl, [wide, narrow) to Narrow, the rest to the reference.
    static int Cut(int n, int step) { return n / step * step; }
    static int Wide(int n) { return Cut(n, Impl::kStep); }
    static int Narrowed(int n) {
        const int m = Cut(n, Narrow::kStep);
        return m > Wide(n) ? m : Wide(n);
    }

    template <int M, Vert V>
    static void Luma(const LineJob& j) {
        const int n = Wide(j.width), m = Narrowed(j.width);
        Impl::template Luma<M, V>(j, 0, n);
        if (m > n) Narrow::template Luma<M, V>(j, n, m);
        ref::Luma<M, V>(j, m, j.width);
    }
    template <int M>
    static void Chroma(const LineJob& j) {
        const int pairs = (j.width + 1) / 2;
        const int n = Wide(2 * pairs) / 2, m = Narrowed(2 * pairs) / 2;
        Impl::template ChromaSplit<M>(j, 0, n);
        if (m > n) Narrow::template ChromaSplit<M>(j, n, m);
        ref::ChromaSplit<M>(j, m, pairs);
    }
    template <int M, Vert V, PackedOrder O>
    static void Packed(const LineJob& j) {
        const int n = Wide(j.width), m = Narrowed(j.width);
        Impl::template Packed<M, V, O>(j, 0, n);
        if (m > n) Narrow::template Packed<M, V, O>(j, n, m);
        ref::Packed<M, V, O>(j, m, j.width);
    }
};

// The reference as an implementation of its own: every column is a leftover.
struct RefLines {
    static constexpr int kStep = 1 << 30;
    template <int M, Vert V>
    static void Luma(const LineJob&, int, int) {}
    template <int M>
    static void ChromaSplit(const LineJob&, int, int) {}
    template <int M, Vert V, PackedOrder O>
    static void Packed(const LineJob&, int, int) {}
};

template <class Impl, class Narrow = RefLines>
struct KernelSetBuilder {
    using F = Full<Impl, Narrow>;
    static constexpr auto kYuyv = PackedOrder::kYuyv;
    static constexpr auto kUyvy = PackedOrder::kUyvy;

    template <int M, Vert V>
    static PlanarKernel Planar(const char* label, LinePlan plan) {
        LineFn filtered = V == Vert::kNone ? nullptr : &F::template Luma<M, V>;
        return {label, &F::template Luma<M, Vert::kNone>, filtered, &F::template Chroma<M>, plan};
    }
    template <int M, Vert V, PackedOrder O = PackedOrder::kYuyv>
    static PackedKernel Packed(const char* label, LinePlan plan, ChromaPattern chroma) {
        LineFn filtered = V == Vert::kNone ? nullptr : &F::template Packed<M, V, O>;
        return {label, &F::template Packed<M, Vert::kNone, O>, filtered, plan, chroma};
    }

    static void FillPlanar(KernelSet* s) {
        using P = LinePlan;
        s->planar[kA0] = Planar<0, Vert::kNone>("A0", P::kStraight);
        s->planar[kA1] = Planar<1, Vert::kNone>("A1", P::kStraight);
        s->planar[kA2] = Planar<2, Vert::kNone>("A2", P::kStraight);
        s->planar[kA0x] = Planar<0, Vert::kMean>("A0-x", P::kPrevious);
        s->planar[kA1x] = Planar<1, Vert::kMean>("A1-x", P::kPrevious);
        s->planar[kA2x] = Planar<2, Vert::kMean>("A2-x", P::kPrevious);
        s->planar[kA03] = Planar<0, Vert::kMean>("A0-3", P::kField);
        s->planar[kA13] = Planar<1, Vert::kMean>("A1-3", P::kField);
        s->planar[kA23] = Planar<2, Vert::kMean>("A2-3", P::kField);
        s->planar[kA0d] = Planar<0, Vert::kHalf>("A0-d", P::kPrevious);
        s->planar[kA1d] = Planar<1, Vert::kHalf>("A1-d", P::kPrevious);
    }

    static void FillPacked(KernelSet* s) {
        using P = LinePlan;
        constexpr auto kProg = ChromaPattern::kProgressive;
        constexpr auto kPairs = ChromaPattern::kFieldPairs;
        s->packed[kB0] = Packed<0, Vert::kNone>("B0", P::kStraight, kProg);
        s->packed[kB1] = Packed<1, Vert::kNone>("B1", P::kStraight, kProg);
        s->packed[kB2] = Packed<2, Vert::kNone>("B2", P::kStraight, kProg);
        s->packed[kB0n] = Packed<0, Vert::kNone>("B0n", P::kStraight, kProg);
        s->packed[kB1n] = Packed<1, Vert::kNone>("B1n", P::kStraight, kProg);
        s->packed[kB03f] = Packed<0, Vert::kTap>("B0-3f", P::kFieldTap, kPairs);
        s->packed[kB13f] = Packed<1, Vert::kTap>("B1-3f", P::kFieldTap, kPairs);
        s->packed[kB23f] = Packed<2, Vert::kTap>("B2-3f", P::kFieldTap, kPairs);
        s->packed[kB03] = Packed<0, Vert::kMean>("B0-3", P::kField, kPairs);
        s->packed[kB13] = Packed<1, Vert::kMean>("B1-3", P::kField, kPairs);
        s->packed[kB23] = Packed<2, Vert::kMean>("B2-3", P::kField, kPairs);
        s->packed[kB0x] = Packed<0, Vert::kMean>("B0-x", P::kPrevious, kProg);
        s->packed[kB1x] = Packed<1, Vert::kMean>("B1-x", P::kPrevious, kProg);
        s->packed[kB2x] = Packed<2, Vert::kMean>("B2-x", P::kPrevious, kProg);
        s->packed[kB0d] = Packed<0, Vert::kHalf>("B0-d", P::kPrevious, kProg);
        s->packed[kB1d] = Packed<1, Vert::kHalf>("B1-d", P::kPrevious, kProg);
        s->packed[kB0v] = Packed<0, Vert::kNone, kUyvy>("B0v", P::kStraight, kProg);
        s->packed[kB1v] = Packed<1, Vert::kNone, kUyvy>("B1v", P::kStraight, kProg);
        s->packed[kB2v] = Packed<2, Vert::kNone, kUyvy>("B2v", P::kStraight, kProg);
        s->packed[kB0vn] = Packed<0, Vert::kNone, kUyvy>("B0vn", P::kStraight, kProg);
        s->packed[kB1vn] = Packed<1, Vert::kNone, kUyvy>("B1vn", P::kStraight, kProg);
    }

    // The basic kind has no colour step: its processor hands it neutral constants.
    static void FillBasic(KernelSet* s) {
        using P = LinePlan;
        s->basic[kBasicConvert] = Planar<0, Vert::kNone>("basic", P::kStraight);
        s->basic[kBasicSse] = Planar<0, Vert::kMean>("basic-sse", P::kPrevious);
        s->basic[kBasic3DNow] = Planar<0, Vert::kMean>("basic-3dnow", P::kPrevious);
        s->basic[kBasicMmx] = Planar<0, Vert::kHalf>("basic-mmx", P::kPrevious);
    }

    static KernelSet Build(const char* name) {
        KernelSet s{};
        s.name = name;
        FillPlanar(&s);
        FillPacked(&s);
        FillBasic(&s);
        return s;
    }
};
