// Line walking shared by the planar and packed kinds.
#include "video/kernels/frame_walk.h"

#include <cstddef>
#include <cstring>

namespace {

const uint8_t* LumaLine(const FrameArea& f, int n) {
    return f.y + ptrdiff_t(n) * f.yPitch;
}

// Source lines for output line n; false when the line is taken as it is.
bool PickSources(const FrameArea& f, LinePlan plan, FieldChoice field, int n, LineJob* job) {
    job->a = LumaLine(f, n);
    if (plan == LinePlan::kStraight) return false;
    if (plan == LinePlan::kPrevious) {
        if (n == 0) return false;
        job->b = LumaLine(f, n - 1);
        return true;
    }
    if (field.progressive || f.lines < 2 || (n & 1) == field.keepParity) return false;
    // Filters never read outside the area: the missing neighbour is the other one.
    const int above = n > 0 ? n - 1 : n + 1;
    const int below = n + 1 < f.lines ? n + 1 : n - 1;
    if (plan == LinePlan::kField) {
        job->a = LumaLine(f, above);
        job->b = LumaLine(f, below);
    } else {
        job->b = LumaLine(f, above);
        job->c = LumaLine(f, below);
    }
    return true;
}

void AttachLumaOverlay(const FrameArea& f, int n, LineJob* job) {
    if (f.overlay == nullptr) return;
    job->lumaSpan = f.overlay->LumaSpan(n, f.width);
    if (job->lumaSpan.begin < job->lumaSpan.end) {
        job->overlayY = f.overlay->OverlayY(n);
        job->keepY = f.overlay->KeepY(n);
    }
}

void AttachChroma(const FrameArea& f, int c, LineJob* job) {
    job->chroma = f.uv + ptrdiff_t(c) * f.uvPitch;
    if (f.overlay == nullptr) return;
    job->chromaSpan = f.overlay->ChromaSpan(c, f.width);
    if (job->chromaSpan.begin < job->chromaSpan.end) {
        job->overlayUV = f.overlay->OverlayUV(c);
        job->keepUV = f.overlay->KeepUV(c);
    }
}

LineJob BaseJob(const FrameArea& f) {
    LineJob job;
    job.width = f.width;
    job.k = f.k;
    return job;
}

// Clears what one line set on the job. Done field by field: building a fresh
// job for every line cost a fifth of a plain conversion in a block clear.
void ResetLine(LineJob* job) {
    job->a = job->b = job->c = nullptr;
    job->overlayY = job->keepY = job->overlayUV = job->keepUV = nullptr;
    job->lumaSpan = Span{};
    job->chromaSpan = Span{};
}

// Without overlay, every straight line and every chroma split works pixel by
// pixel, so planes whose lines lie back to back in source and output (even
// widths, pitches equal to the widths) go through the kernel as one long
// line: one large copy or split rather than hundreds of short ones.
bool BackToBack(const FrameArea& f) {
    const int64_t pixels = int64_t(f.width) * f.lines;
    return f.overlay == nullptr && f.width % 2 == 0 && f.yPitch == f.width &&
           f.outPitch == f.width && f.uvPitch == f.width && f.outChromaPitch == f.width / 2 &&
           pixels > 0 && pixels <= (int64_t(1) << 30);
}

void WholeChroma(const FrameArea& f, const PlanarKernel& kernel) {
    LineJob job = BaseJob(f);
    job.width = f.width * ((f.lines + 1) / 2);
    job.chroma = f.uv;
    job.u = f.outU;
    job.v = f.outV;
    kernel.chroma(job);
}

void WholeLuma(const FrameArea& f, const PlanarKernel& kernel) {
    LineJob job = BaseJob(f);
    job.width = f.width * f.lines;
    job.a = f.y;
    job.y = f.out;
    kernel.straight(job);
}

}  // namespace

int PackedChromaLine(ChromaPattern pattern, int n, int lines) {
    const int last = (lines + 1) / 2 - 1;
    const int c = pattern == ChromaPattern::kProgressive ? n / 2 : (n / 4) * 2 + (n & 1);
    return c > last ? last : c;
}

void WalkPlanar(const FrameArea& f, const PlanarKernel& kernel, FieldChoice field) {
    const bool whole = BackToBack(f);
    if (whole) WholeChroma(f, kernel);
    if (whole && kernel.plan == LinePlan::kStraight) {
        WholeLuma(f, kernel);
        f.progress->store(f.lines, std::memory_order_relaxed);
        return;
    }
    LineJob job = BaseJob(f);
    for (int n = 0; n < f.lines; ++n) {
        ResetLine(&job);
        const bool filtered = PickSources(f, kernel.plan, field, n, &job);
        AttachLumaOverlay(f, n, &job);
        job.y = f.out + ptrdiff_t(n) * f.outPitch;
        (filtered ? kernel.filtered : kernel.straight)(job);
        if (!whole && (n & 1) == 0) {
            const int c = n / 2;
            AttachChroma(f, c, &job);
            job.u = f.outU + ptrdiff_t(c) * f.outChromaPitch;
            job.v = f.outV + ptrdiff_t(c) * f.outChromaPitch;
            kernel.chroma(job);
        }
        f.progress->store(n + 1, std::memory_order_relaxed);
    }
}

void WalkPacked(const FrameArea& f, const PackedKernel& kernel, FieldChoice field) {
    LineJob job = BaseJob(f);
    for (int n = 0; n < f.lines; ++n) {
        ResetLine(&job);
        const bool filtered = PickSources(f, kernel.plan, field, n, &job);
        AttachLumaOverlay(f, n, &job);
        AttachChroma(f, PackedChromaLine(kernel.chroma, n, f.lines), &job);
        job.y = f.out + ptrdiff_t(n) * f.outPitch;
        (filtered ? kernel.filtered : kernel.straight)(job);
        f.progress->store(n + 1, std::memory_order_relaxed);
    }
}
