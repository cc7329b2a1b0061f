// Line walking shared by the planar and packed kinds.
#include "video/kernels/frame_walk.h"

#include <cstddef>

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

}  // namespace

int PackedChromaLine(ChromaPattern pattern, int n, int lines) {
    const int last = (lines + 1) / 2 - 1;
    const int c = pattern == ChromaPattern::kProgressive ? n / 2 : (n / 4) * 2 + (n & 1);
    return c > last ? last : c;
}

void WalkPlanar(const FrameArea& f, const PlanarKernel& kernel, FieldChoice field) {
    for (int n = 0; n < f.lines; ++n) {
        LineJob job = BaseJob(f);
        const bool filtered = PickSources(f, kernel.plan, field, n, &job);
        AttachLumaOverlay(f, n, &job);
        job.y = f.out + ptrdiff_t(n) * f.outPitch;
        (filtered ? kernel.filtered : kernel.straight)(job);
        if ((n & 1) == 0) {
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
    for (int n = 0; n < f.lines; ++n) {
        LineJob job = BaseJob(f);
        const bool filtered = PickSources(f, kernel.plan, field, n, &job);
        AttachLumaOverlay(f, n, &job);
        AttachChroma(f, PackedChromaLine(kernel.chroma, n, f.lines), &job);
        job.y = f.out + ptrdiff_t(n) * f.outPitch;
        (filtered ? kernel.filtered : kernel.straight)(job);
        f.progress->store(n + 1, std::memory_order_relaxed);
    }
}
