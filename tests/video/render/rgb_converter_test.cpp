// The converter refuses outputs it would write past: a pitch narrower than
// one line of its own format (whatever depth the screen reports), and widths
// beyond any screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "tests/video/kernels/random_frames.h"
#include "video/kernels/library_state.h"
#include "video/render/picture.h"
#include "video/render/rgb_converter.h"
#include "video/render/yuv_repack.h"

namespace {

constexpr int kWidth = 64, kHeight = 8;

struct Frame {
    Frame() {
        picture.Resize(kWidth, kHeight, true);
        picture.packed = 1;
    }
    int Process(CVRLNProcessorRGB& rgb, int pitch, int lines) {
        output.assign(size_t(pitch) * lines, 0);
        picture.output = output.data();
        picture.outputPitch = pitch;
        return rgb.Process(&picture, 0);
    }
    CVRLNPicture picture;
    std::vector<uint8_t> output;
};

TEST(RgbConverterBounds, ThePitchMustHoldALineOfTheFormatNotOfTheScreenDepth) {
    for (int format :
         {kFormatPacked422, kFormatRgb555, kFormatRgb565, kFormatRgb24, kFormatRgb32}) {
        std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(format);
        ASSERT_NE(rgb, nullptr);
        rgb->SetScreen(kWidth, kHeight, 8);  // one byte a pixel on the screen
        const int bytes = format == kFormatRgb32 ? 4 : format == kFormatRgb24 ? 3 : 2;
        Frame frame;
        EXPECT_EQ(frame.Process(*rgb, kWidth * bytes - 1, kHeight), -1) << "format " << format;
        EXPECT_EQ(frame.Process(*rgb, kWidth * bytes, kHeight), 0) << "format " << format;
    }
}

TEST(RgbConverterBounds, AnOutputWiderThanAnyScreenIsRefusedNotAllocated) {
    std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(kFormatRgb32);
    ASSERT_NE(rgb, nullptr);
    rgb->SetScreen(0, 0, 32);  // no screen size to clamp to
    SetCurrentFrameSize(kWidth, kHeight);
    rgb->SetOutputWidth(INT_MAX, 1000);
    Frame frame;
    EXPECT_EQ(frame.Process(*rgb, kWidth * 4, kHeight), -1);
    rgb->SetOutputWidth(kWidth, 1000);
    EXPECT_EQ(frame.Process(*rgb, kWidth * 4, kHeight), 0);
    SetCurrentFrameSize(0, 0);
}

// ---- Sub-picture and deinterlacing on every depth ----

constexpr int kFormats[] = {kFormatPacked422, kFormatRgb555, kFormatRgb565, kFormatRgb24,
                            kFormatRgb32};

// A planar picture of kWidth x kHeight with its own planes, and an output at the
// converter's own size (no scaling).
struct Planar {
    explicit Planar(uint8_t luma = 128) : output(size_t(kWidth) * 4 * kHeight, 0) {
        picture.Resize(kWidth, kHeight, true);
        std::fill(picture.plane[0], picture.plane[0] + kWidth * kHeight, luma);
        std::fill(picture.plane[1], picture.plane[1] + kWidth * kHeight / 2, 128);
        picture.output = output.data();
        picture.outputPitch = kWidth * 4;
    }
    uint8_t& Y(int x, int y) { return picture.plane[0][size_t(y) * kWidth + x]; }
    CVRLNPicture picture;
    std::vector<uint8_t> output;
};

std::unique_ptr<CVRLNProcessorRGB> Converter(int format, const RgbRows* rows = nullptr) {
    std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(format);
    rgb->SetScreen(kWidth, kHeight, 32);
    if (rows != nullptr) rgb->UseRows(rows);
    return rgb;
}

// Each converter's own library-wide words back at rest.
struct WordsGuard {
    ~WordsGuard() {
        SetDeinterlaceModeWord(0);
        SetCurrentFrameSize(0, 0);
    }
};

TEST(RgbConverterSubpicture, AnOpaqueItemShowsItsPaletteColourOnEveryDepth) {
    WordsGuard guard;
    // 16 x 16 of alpha 15 and palette luma 235 at (16, 0) over grey video.
    std::vector<uint8_t> pixels(16 * 16, 0xF3);
    CVRLNSubpicture sub{};
    sub.pixels = pixels.data();
    sub.pitch = 16;
    sub.x = 16;
    sub.width = 16;
    sub.height = 16;
    sub.serial = 1;
    sub.palette[3][0] = 235;
    sub.palette[3][1] = sub.palette[3][2] = 128;
    for (int format : kFormats) {
        Planar video;
        video.picture.subpicture = &sub;
        std::unique_ptr<CVRLNProcessorRGB> rgb = Converter(format);
        rgb->SetSubpicture(&video.picture);
        ASSERT_EQ(rgb->Process(&video.picture, 0), 0);
        // The same colour painted into the video itself.
        Planar painted;
        for (int y = 0; y < 16; ++y)
            for (int x = 16; x < 32; ++x) painted.Y(x, y) = 235;
        ASSERT_EQ(Converter(format)->Process(&painted.picture, 0), 0);
        EXPECT_EQ(video.output, painted.output) << "format " << format;
        Planar grey;
        ASSERT_EQ(Converter(format)->Process(&grey.picture, 0), 0);
        EXPECT_NE(video.output, grey.output) << "format " << format;
    }
}

TEST(RgbConverterDeinterlace, TheDeinterlaceBitBlendsEachLineWithTheOneAbove) {
    WordsGuard guard;
    for (int format : kFormats) {
        Planar striped;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) striped.Y(x, y) = uint8_t(y % 2 ? 201 : 20 + x);
        std::unique_ptr<CVRLNProcessorRGB> rgb = Converter(format);
        // Lines blended beforehand as the kernels blend them.
        Planar blended;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int a = striped.Y(x, y), b = striped.Y(x, y == 0 ? 0 : y - 1);
                blended.Y(x, y) = uint8_t(rgb->Capability() ? (a + b + 1) / 2 : a / 2 + b / 2);
            }
        ASSERT_EQ(Converter(format)->Process(&blended.picture, 0), 0);
        for (uint32_t word : {0x402u, 0x406u}) {
            SetDeinterlaceModeWord(word);
            ASSERT_EQ(rgb->Process(&striped.picture, 0), 0);
            EXPECT_EQ(striped.output, blended.output) << "format " << format << " word " << word;
        }
        // Deinterlacing method 1 means none.
        rgb->SetParameter(kParamDeinterlaceMethod, 1);
        ASSERT_EQ(rgb->Process(&striped.picture, 0), 0);
        EXPECT_NE(striped.output, blended.output) << "format " << format;
        SetDeinterlaceModeWord(0);
    }
}

// The fast rows against the reference with sub-pictures, colour controls,
// deinterlacing and scaling, on every depth and for packed and planar sources.
TEST(RgbConverterSubpicture, FastRowsGiveTheReferenceBytes) {
    WordsGuard guard;
    std::vector<const RgbRows*> fast;
    for (const RgbRows* rows : {Ssse3RgbRows(), Avx2RgbRows(), Avx512RgbRows()})
        if (rows != nullptr) fast.push_back(rows);
    if (fast.empty()) GTEST_SKIP() << "no fast rows on this processor";
    RandomFrames random(23);
    constexpr int kSourceW = 90, kSourceH = 30;
    for (int trial = 0; trial < 24; ++trial) {
        const int format = kFormats[trial % 5];
        const bool packed = trial % 2 == 1;
        std::vector<uint8_t> source(size_t(kSourceW) * kSourceH * 2);
        random.Fill(source.data(), source.size());
        std::vector<uint8_t> pixels;
        CVRLNSubpicture sub = random.Subpicture(kSourceW, kSourceH, &pixels);
        sub.serial = uint32_t(trial + 1);
        const CVRLNColourRecord colours = trial % 3 == 0 ? CVRLNColourRecord{} : random.Colours();
        const uint32_t word = trial % 4 == 0 ? 0x402u : 0;
        const int outW = trial % 3 == 2 ? 61 : kSourceW;
        const int outH = trial % 3 == 2 ? 23 : kSourceH;
        std::vector<std::vector<uint8_t>> outputs;
        std::vector<const RgbRows*> paths = fast;
        paths.insert(paths.begin(), &ReferenceRgbRows());
        for (const RgbRows* rows : paths) {
            CVRLNPicture picture;
            picture.Resize(kSourceW, kSourceH, !packed);
            if (packed) {
                picture.plane[0] = source.data();
                picture.packed = 1;
            } else {
                std::copy(source.begin(), source.begin() + kSourceW * kSourceH, picture.plane[0]);
                std::copy(source.begin() + kSourceW * kSourceH,
                          source.begin() + kSourceW * kSourceH * 3 / 2, picture.plane[1]);
            }
            std::vector<uint8_t> output(size_t(outW) * 4 * outH + 64, 0xEE);
            picture.output = output.data();
            picture.outputPitch = outW * 4;
            picture.subpicture = &sub;
            std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(format);
            rgb->SetScreen(outW, outH, 32);
            rgb->UseRows(rows);
            SetCurrentFrameSize(kSourceW, kSourceH);
            rgb->SetOutputWidth(outW, 1000);
            rgb->SetOutputHeight(outH, 1000);
            rgb->SetColourControls(&colours);
            rgb->SetSubpicture(&picture);
            SetDeinterlaceModeWord(word);
            EXPECT_EQ(rgb->Process(&picture, 0), 0);
            SetDeinterlaceModeWord(0);
            if (packed) picture.plane[0] = nullptr;
            outputs.push_back(output);
        }
        for (size_t k = 1; k < paths.size(); ++k)
            EXPECT_EQ(outputs[0], outputs[k]) << "trial " << trial << " on " << paths[k]->name;
    }
}

}  // namespace

namespace {

// Each output line of a scaled packed frame is its source line or lines taken
// one by one through the reference routines: split, scaled, averaged when two,
// converted. Source lines whose chroma is shared, lines kept from the last
// output line and averaged lines converted in one step must all agree with it.
std::vector<uint8_t> LineByLine(const std::vector<uint8_t>& source, int w, int h, int outW,
                                int outH, int32_t vStep) {
    const RgbRows& ref = ReferenceRgbRows();
    const ScalePlan luma = BuildScalePlan(w, outW, HorizontalStep(w, outW, 1000));
    const int cw = (w + 1) / 2, cOut = (outW + 1) / 2;
    const ScalePlan chroma = BuildScalePlan(cw, cOut, HorizontalStep(cw, cOut, 1000));
    const auto scaled = [&](int line, std::vector<uint8_t> planes[3]) {
        std::vector<uint8_t> y(size_t(w) + 64), u(size_t(cw) + 64), v(size_t(cw) + 64);
        ref.splitPacked(&source[size_t(line) * w * 2],
                        &source[size_t(ChromaSourceLine(line / 2)) * w * 2], w, y.data(), u.data(),
                        v.data());
        for (auto* plane : {&planes[0], &planes[1], &planes[2]}) plane->assign(outW + 64, 0);
        ref.scale(y.data(), luma, planes[0].data());
        ref.scale(u.data(), chroma, planes[1].data());
        ref.scale(v.data(), chroma, planes[2].data());
    };
    std::vector<uint8_t> out(size_t(outW) * 4 * outH);
    for (int n = 0; n < outH; ++n) {
        const LineChoice choice = ChooseLines(n, vStep, h);
        std::vector<uint8_t> upper[3], lower[3];
        scaled(choice.upper, upper);
        scaled(choice.lower, lower);
        for (int p = 0; p < 3; ++p)
            ref.average(upper[p].data(), lower[p].data(), p == 0 ? outW : cOut, upper[p].data());
        const std::vector<uint8_t>* planes = choice.upper == choice.lower ? lower : upper;
        ref.convert[kRgb32](planes[0].data(), planes[1].data(), planes[2].data(), outW,
                            &out[size_t(n) * outW * 4]);
    }
    return out;
}

TEST(RgbConverterScaling, EachLineIsTheReferencePipelineOfItsSourceLines) {
    WordsGuard guard;
    RandomFrames random(41);
    constexpr int kSourceW = 90, kSourceH = 30;
    std::vector<uint8_t> source(size_t(kSourceW) * kSourceH * 2 + 64);
    random.Fill(source.data(), source.size());
    for (const RgbRows* rows :
         {&ReferenceRgbRows(), Ssse3RgbRows(), Avx2RgbRows(), Avx512RgbRows()}) {
        if (rows == nullptr) continue;
        for (const auto& size : {std::make_pair(128, 41), std::make_pair(61, 23)}) {
            const int outW = size.first, outH = size.second;
            CVRLNPicture picture;
            picture.Resize(kSourceW, kSourceH, false);
            picture.plane[0] = source.data();
            picture.packed = 1;
            std::vector<uint8_t> output(size_t(outW) * 4 * outH);
            picture.output = output.data();
            picture.outputPitch = outW * 4;
            std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(kFormatRgb32);
            rgb->SetScreen(outW, outH, 32);
            rgb->UseRows(rows);
            SetCurrentFrameSize(kSourceW, kSourceH);
            rgb->SetOutputWidth(outW, 1000);
            rgb->SetOutputHeight(outH, 1000);
            EXPECT_EQ(rgb->Process(&picture, 0), 0);
            picture.plane[0] = nullptr;  // borrowed
            EXPECT_EQ(output,
                      LineByLine(source, kSourceW, kSourceH, outW, outH, rgb->VerticalStepValue()))
                << rows->name << " to " << outW << " x " << outH;
        }
    }
}

// With a mirror set, both pictures get the lines the converter writes without
// one, top-down and bottom-up; a mirror of fewer lines gets only those, and
// the bytes past a line's end are left alone.
TEST(RgbConverterMirror, BothPicturesGetTheLinesWrittenWithoutAMirror) {
    WordsGuard guard;
    for (int format : kFormats) {
        for (int bottomUp : {0, 1}) {
            RandomFrames random(uint32_t(format * 2 + bottomUp));
            Planar plain, mirrored;
            random.Fill(plain.picture.plane[0], size_t(kWidth) * kHeight * 3 / 2);
            std::copy(plain.picture.plane[0], plain.picture.plane[0] + kWidth * kHeight * 3 / 2,
                      mirrored.picture.plane[0]);
            std::unique_ptr<CVRLNProcessorRGB> alone = Converter(format);
            std::unique_ptr<CVRLNProcessorRGB> both = Converter(format);
            alone->SetParameter(kParamSubpictureSource, bottomUp);
            both->SetParameter(kParamSubpictureSource, bottomUp);
            ASSERT_EQ(alone->Process(&plain.picture, 0), 0);
            const int mirrorPitch = kWidth * 4 + 12, mirrorLines = kHeight - 3;
            std::vector<uint8_t> mirror(size_t(mirrorPitch) * kHeight, 0xA5);
            both->SetMirror(mirror.data(), mirrorPitch, mirrorLines);
            ASSERT_EQ(both->Process(&mirrored.picture, 0), 0);
            both->SetMirror(nullptr, 0, 0);
            EXPECT_EQ(mirrored.output, plain.output) << "format " << format;
            const size_t bytes = size_t(kWidth) * (format == kFormatRgb32   ? 4
                                                   : format == kFormatRgb24 ? 3
                                                                            : 2);
            for (int row = 0; row < kHeight; ++row) {
                const uint8_t* line = mirror.data() + size_t(row) * mirrorPitch;
                const uint8_t* expected = plain.output.data() + size_t(row) * kWidth * 4;
                if (row < mirrorLines) {
                    EXPECT_TRUE(std::equal(line, line + bytes, expected)) << "row " << row;
                } else {
                    EXPECT_TRUE(
                        std::all_of(line, line + bytes, [](uint8_t b) { return b == 0xA5; }));
                }
                EXPECT_TRUE(std::all_of(line + bytes, line + mirrorPitch,
                                        [](uint8_t b) { return b == 0xA5; }))
                    << "row " << row;
            }
        }
    }
}

}  // namespace
