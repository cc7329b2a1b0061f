// One plane of a scaler configuration as the routines see it: where the
// fitted picture lies in the box, the tables of its two axes, and the byte
// gather plan of its nearest-neighbour lines. Packed 4:2:2 and the pixel
// formats are one plane; planar 4:2:0 is three (luma, then two chroma planes
// of half width and height that use the chroma tables).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "video/render/scaler/scaler_tables.h"

// How the sixteen output bytes of a chunk are fetched.
enum ScalerGatherKind : int32_t {
    kGatherBytes = 0,       // byte by byte (sources spread over more than 32 bytes)
    kGatherWindow = 1,      // one shuffle of the 16 bytes from base
    kGatherTwoWindows = 2,  // two shuffles of the 32 bytes from base
};

// Sixteen output bytes whose sources lie within 16 or 32 bytes from base, so
// one or two byte shuffles fetch them; chunks that do not fit (strong
// reduction) and the last part of a line are gathered byte by byte. Windows
// never reach past the source line.
struct alignas(16) ScalerGatherChunk {
    uint8_t low[16];   // source byte - base, or 0x80 when it is in the high half
    uint8_t high[16];  // source byte - base - 16, or 0x80
    int32_t base;
    int32_t kind;
};

struct ScalerGatherPlan {
    std::vector<int32_t> bytes;             // source byte of every output byte of a line
    std::vector<ScalerGatherChunk> chunks;  // whole 16-byte chunks of a line
    bool oneWindowEach = false;             // every chunk is kGatherWindow
};

// The source byte of each output byte; source lines of sourceLineBytes.
ScalerGatherPlan BuildGatherPlan(std::vector<int32_t> bytes, int sourceLineBytes);

// The plan as plain pointers, for the routines built with processor flags of
// their own: they call no inline library code, whose copies the linker may
// pick for every other caller too (on i386, code that needs SSE2 must not
// reach the baseline paths that way).
struct ScalerGatherView {
    const int32_t* bytes;
    size_t byteCount;
    const ScalerGatherChunk* chunks;
    size_t chunkCount;
    bool oneWindowEach;
};
ScalerGatherView ViewOfGatherPlan(const ScalerGatherPlan& plan);

enum class ScalerPixels {
    kBytes,      // bytesPerPixel bytes taken together (1, 3 or 4)
    kPacked422,  // Y0 U Y1 V: luma per pixel, chroma per pair
};

struct ScalerPlane {
    ScalerPixels pixels = ScalerPixels::kBytes;
    int bytesPerPixel = 1;
    int sourceWidth = 0;
    int sourceHeight = 0;
    int fittedWidth = 0;
    int fittedHeight = 0;
    size_t boxPitch = 0;   // bytes of a box line
    size_t boxOffset = 0;  // bytes from the plane's box start to the fitted picture
    const std::vector<int32_t>* columns = nullptr;
    const std::vector<int32_t>* lines = nullptr;
    const std::vector<int32_t>* chromaColumns = nullptr;  // packed 4:2:2: source pair per pair
    const std::vector<ScalerWeight>* columnWeights = nullptr;
    const std::vector<ScalerWeight>* lineWeights = nullptr;
    const std::vector<ScalerWeight>* chromaColumnWeights = nullptr;
    ScalerGatherPlan gather;

    size_t SourcePitch() const { return size_t(sourceWidth) * size_t(bytesPerPixel); }
    size_t FittedLineBytes() const { return size_t(fittedWidth) * size_t(bytesPerPixel); }
};

// Makes one output line of the fitted width from one source line.
using ScalerLineRoutine = void (*)(const ScalerPlane& plane, const uint8_t* sourceLine,
                                   uint8_t* out);
// Fills the plane's fitted picture in the box from the source plane; scratch
// holds two fitted lines.
using ScalerPlaneRoutine = void (*)(const ScalerPlane& plane, ScalerLineRoutine line,
                                    const uint8_t* source, uint8_t* box, uint8_t* scratch);
