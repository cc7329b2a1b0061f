// The picture processors with hostile geometry: every kind (planar, packed,
// scaled, basic and the frame buffer's RGB converter) on pictures of any small
// size, borrowed planes of exactly their size, rectangles and size overrides
// anywhere in the 32-bit range, any pitch, colour values beyond their range,
// deinterlacing words and sub-pictures placed anywhere. Outputs are exactly as
// large as the picture record describes, so any byte written or read outside
// them is found.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

#include "fuzz/support/fuzz_input.h"
#include "video/kernels/library_state.h"
#include "video/kernels/line_job.h"
#include "video/kernels/processor_scaled.h"
#include "video/kernels/processor_yuy2.h"
#include "video/kernels/processor_yv12.h"
#include "video/kernels/processor_yv12_basic.h"
#include "video/render/rgb_converter.h"

namespace {

enum Kind { kYV12, kYUY2, kScaled, kBasic, kRgb, kKinds };

// Small values mostly; now and then any 32-bit value at all.
int32_t Hostile(FuzzInput& in, int32_t lowest, int32_t highest) {
    const uint8_t how = in.Next<uint8_t>();
    if (how < 16) return in.Next<int32_t>();
    if (how < 24) return how & 1 ? INT_MAX : INT_MIN;
    return in.NextIn(lowest, highest);
}

KernelCpu CpuFrom(uint8_t bits) {
    KernelCpu cpu;
#if defined(__x86_64__) || defined(__i386__)
    cpu.sse2 = bits & 1;
    cpu.avx2 = cpu.sse2 && (bits & 2) && HostSupportsAvx2();
    cpu.avx2Everywhere = cpu.avx2 && (bits & 4);
#endif
    cpu.extendedMmx = bits & 8;
    cpu.sse = cpu.extendedMmx && (bits & 16);
    cpu.amd3DNow = bits & 32;
    return cpu;
}

// The source planes, borrowed and of exactly the picture's size, or owned.
struct Source {
    std::vector<uint8_t> luma, chroma;
};

void Describe(FuzzInput& in, CVRLNPicture* p, Source* s, int width, int height, bool packed) {
    if (!packed && (in.Next<uint8_t>() & 3) == 0) {
        p->Resize(width, height, true);  // owned: the spare line is there
    } else {
        s->luma.assign(size_t(width) * height * (packed ? 2 : 1), 0);
        for (auto& b : s->luma) b = in.Next<uint8_t>();
        s->chroma.assign(size_t(ChromaBytes(width)) * ((height + 1) / 2), 128);
        p->plane[0] = s->luma.data();
        p->plane[1] = packed ? nullptr : s->chroma.data();
        p->planeSize = uint32_t(width) * uint32_t(height);
        p->width = width;
        p->height = height;
    }
    p->packed = packed ? 1 : 0;
    p->displayWidth = width;
    p->displayHeight = in.NextIn(0, height);
    p->pictureStructure = in.NextIn(0, 3);
    p->repeatFirstField = in.NextIn(0, 1);
    p->deinterlaceOff = in.NextIn(0, 1);
}

std::unique_ptr<CVRLNVideoProcessor> Make(Kind kind, const KernelCpu& cpu, int rgbFormat) {
    switch (kind) {
        case kYV12:
            return std::make_unique<CVRLNProcessorYV12>(cpu);
        case kYUY2:
            return std::make_unique<CVRLNProcessorYUY2>(cpu);
        case kScaled:
            return std::make_unique<CVRLNProcessorScaled>(cpu);
        case kBasic:
            return std::make_unique<CVRLNProcessorYV12Basic>(cpu);
        default:
            return CVRLNProcessorRGB::Create(rgbFormat);
    }
}

// Bytes of output the picture record describes for this kind, lines of it, or
// 0 when its pitch describes none.
size_t OutputBytes(Kind kind, int pitch, int lines) {
    if (pitch <= 0) return 0;
    const size_t plane = size_t(pitch) * lines;
    if (kind == kYV12 || kind == kBasic) {
        return plane + 2 * size_t((pitch + 1) / 2) * ((lines + 1) / 2);
    }
    return plane;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const Kind kind = Kind(in.Next<uint8_t>() % kKinds);
    const KernelCpu cpu = CpuFrom(in.Next<uint8_t>());
    const int rgbFormat = in.NextIn(0, 6);
    const int width = in.NextIn(1, 80);
    const int height = in.NextIn(1, 48);
    const bool packed = in.Next<uint8_t>() & 1;

    // Library-wide words, at rest again after each run.
    SetDeinterlaceModeWord(in.Next<uint16_t>());
    const bool override = (in.Next<uint8_t>() & 7) == 0;
    SetProcessSizeOverride(override ? Hostile(in, 0, 100) : 0, override ? Hostile(in, 0, 100) : 0);
    SetPackedOutputVariant(in.NextIn(0, 1));
    SetCurrentFrameSize(Hostile(in, 0, 100), Hostile(in, 0, 100));

    auto processor = Make(kind, cpu, rgbFormat);
    if (!processor) return 0;
    CVRLNColourRecord colour;
    for (int32_t* field : {&colour.brightness, &colour.contrast, &colour.hue, &colour.saturation,
                           &colour.t, &colour.uOffset, &colour.vOffset}) {
        *field = Hostile(in, -40, 40);
    }
    processor->SetColourControls(&colour);
    processor->SetParameter(kParamOverlayPerLine + in.NextIn(0, 1), in.NextIn(0, 1));
    processor->SetParameter(kParamDeinterlaceMethod, Hostile(in, 0, 4));
    if (in.Next<uint8_t>() & 1) {
        const int32_t rect[4] = {Hostile(in, -8, 90), Hostile(in, -8, 60), Hostile(in, -8, 90),
                                 Hostile(in, -8, 60)};
        processor->SetParameter(kParamRectangle, reinterpret_cast<intptr_t>(rect));
    }
    int screenLines = 0;
    int outputLines = 0;
    if (kind == kRgb) {
        auto* rgb = static_cast<CVRLNProcessorRGB*>(processor.get());
        const int screenWidth = in.NextIn(0, 120);
        screenLines = in.NextIn(0, 90);
        rgb->SetScreen(screenWidth, screenLines, in.NextIn(0, 33));
        SetCurrentFrameSize(width, height);
        rgb->SetOutputWidth(Hostile(in, 0, 130), in.NextIn(1, 2000));
        outputLines = Hostile(in, 0, 100);
        rgb->SetOutputHeight(outputLines, in.NextIn(1, 2000));
        rgb->SetParameter(kParamSubpictureSource, in.NextIn(0, 1));
    } else if (kind == kScaled) {
        processor->SetOutputWidth(Hostile(in, 0, 100), in.NextIn(1, 2000));
        processor->SetOutputHeight(Hostile(in, 0, 100), in.NextIn(1, 2000));
    }

    CVRLNPicture picture;
    Source source;
    Describe(in, &picture, &source, width, height, packed);
    picture.colour = colour;

    // A sub-picture anywhere, its pixels exactly pitch x height.
    CVRLNSubpicture sub{};
    std::vector<uint8_t> subPixels;
    if (in.Next<uint8_t>() & 1) {
        sub.width = Hostile(in, -2, 90);
        sub.height = Hostile(in, -2, 60);
        sub.pitch = Hostile(in, -2, 100);
        sub.x = Hostile(in, -10, 90);
        sub.y = Hostile(in, -10, 60);
        sub.serial = in.Next<uint8_t>();
        for (auto& entry : sub.palette)
            for (auto& byte : entry) byte = in.Next<uint8_t>();
        if (sub.pitch > 0 && sub.pitch <= 100 && sub.height > 0 && sub.height <= 60) {
            subPixels.resize(size_t(sub.pitch) * sub.height);
            for (auto& b : subPixels) b = in.Next<uint8_t>();
            sub.pixels = subPixels.data();
        }
        picture.subpicture = &sub;
        processor->SetSubpicture(&picture);
    }

    const int pitch = in.Next<uint8_t>() < 8 ? Hostile(in, -8, 400) : in.NextIn(-4, 4 * width + 8);
    // The converter writes its output height (the picture's when none is set), at most
    // the screen's and the display's; the other kinds at most the picture's lines.
    int64_t lines = height;
    if (kind == kRgb) {
        lines = outputLines > 0 ? outputLines : height;
        if (screenLines > 0) lines = std::min<int64_t>(lines, screenLines);
        if (picture.displayHeight > 0) lines = std::min<int64_t>(lines, picture.displayHeight);
    }
    const int64_t rgbBytes = std::llabs(int64_t(pitch)) * lines;
    if (lines > 4096 || rgbBytes > (int64_t(1) << 22)) return 0;
    const size_t bytes = kind == kRgb ? size_t(rgbBytes) : OutputBytes(kind, pitch, int(lines));
    std::vector<uint8_t> output(bytes);
    // With a negative pitch the converter's first line is the last in memory.
    picture.output = output.empty() ? nullptr
                     : pitch < 0    ? output.data() + bytes - size_t(-int64_t(pitch))
                                    : output.data();
    picture.outputPitch = pitch;
    int flags =
        in.Next<uint8_t>() & (kProcessComposeOnce | kProcessOverlayOnly | kProcessAltOutputs);
    std::vector<uint8_t> alt[3];
    if ((flags & kProcessAltOutputs) && pitch > 0) {
        const size_t chroma = size_t((pitch + 1) / 2) * ((height + 1) / 2);
        alt[0].resize(size_t(pitch) * height);
        alt[1].resize(chroma);
        alt[2].resize(chroma);
        for (int i = 0; i < 3; ++i) picture.altOutput[i] = alt[i].data();
    }
    for (int frame = 0; frame < 2; ++frame) processor->Process(&picture, flags);

    const CVRLNSubpicture* current = nullptr;
    VRLNRect area{};
    processor->GetSubpicture(&current, &area);
    processor->GetSubpictureState();
    for (int id = -1; id <= 12; ++id) processor->GetParameter(id);

    picture.plane[0] = picture.plane[1] = nullptr;  // borrowed planes are not the picture's
    if (picture.OwnsPlanes()) picture.Destroy();
    SetDeinterlaceModeWord(0);
    SetProcessSizeOverride(0, 0);
    SetPackedOutputVariant(0);
    SetCurrentFrameSize(0, 0);
    return 0;
}
