// Test control of the simulated display controller (libsimdisplay.so), which
// the seven vendor stand-ins (libI865G.so, libI915G.so, libs3g.so,
// libddmpeg.so, libdv.so, libradeonov.so, libNVDLL.so) drive. Product code
// never includes this header; tests and the host program do.
//
// The controller (one per process):
// - Video memory: one mapping of 32 MiB (below 4 GiB on x86-64, see
//   interfaces/vendor/video_memory.h), backed by a memory file that the frame
//   buffer seam can open (sim_display_memory_path, for MIROVA_FBDEV). The
//   visible screen is at its start: the current mode's height lines of
//   width x bytes per pixel each, no padding. Surfaces and buffers that the
//   libraries hand out follow the screen, aligned to 4 KiB.
// - Display modes, each at 16 (RGB 5-6-5) and 32 bits (bytes blue, green,
//   red, unused) with a VESA-style number:
//     640 x 480    0x111 (16)  0x112 (32)
//     800 x 600    0x114       0x115
//     1024 x 768   0x117       0x118
//     1280 x 768   0x166       0x167
//     1280 x 800   0x168       0x169
//     1280 x 1024  0x11A       0x11B
//   The machine starts in 1024 x 768 at 16 bits (sim_display_set_boot_mode
//   changes that). A mode change keeps the screen's bytes and fails while a
//   surface lies where the new screen would be.
// - Outputs: monitor (CRT), flat panel and television, as a mask (1 TV,
//   2 CRT, 4 panel; CRT at start); the television connector reads 1
//   (composite) at start; television output cannot be switched on while it
//   reads 0.
// - One overlay plane: a packed 4:2:2 (Y0 U Y1 V) or planar 4:2:0 (Y, V, U
//   planes) source in video memory, a destination rectangle, a colour key
//   with keying on or off, colour controls, shown or hidden.
// - The scan-out, the picture the monitor shows: the screen's pixels, and,
//   inside the overlay's destination (clipped to the screen) wherever the
//   screen pixel equals the colour key (at the screen's depth: the low 16
//   bits of the key, or its low 24 bits at 32 bits) or everywhere when keying
//   is off, the overlay source scaled to the destination (nearest pixel) and
//   converted with the fixed-point BT.601 factors the frame-buffer renderer
//   uses, after the colour controls. Over that lies the NVIDIA library's
//   on-screen display when one is shown; while the television output shows
//   its colour-bar test, the scan-out is the eight bars.
//
// Journal lines (same conventions as sim/tuner/sim_tuner.h): the exported
// name of the call (mangled names as they stand) followed by its arguments in
// decimal, separated by spaces; pointers to results are left out; surfaces
// and buffers given as addresses appear as their offset from the start of
// video memory; records appear as their input words in order; floats as
// "%g". Each stand-in's header lists its lines. A call answered by an armed
// fault ends in " -> fault". Loading and unloading a stand-in adds
// "load NAME" and "unload NAME" (NAME as libI915G.so).
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define SIM_DISPLAY_API __attribute__((visibility("default")))

enum { SIM_DISPLAY_MEMORY_BYTES = 32 * 1024 * 1024 };

// Output mask bits.
enum { SIM_DISPLAY_TV = 1, SIM_DISPLAY_CRT = 2, SIM_DISPLAY_PANEL = 4 };

// Fault kinds: every call of the kind answers with its own failure value
// (each stand-in's header says which calls belong to which kind and what
// they return then).
enum {
    SIM_DISPLAY_FAULT_INIT = 1,     // library and overlay initialisation
    SIM_DISPLAY_FAULT_MODE = 2,     // mode queries and mode changes
    SIM_DISPLAY_FAULT_SURFACE = 3,  // surface and buffer creation
    SIM_DISPLAY_FAULT_TVOUT = 4,    // switching the television output
};

typedef struct SimDisplayState {
    // current mode
    int width;
    int height;
    int bitsPerPixel;
    int lineLength;
    int modeNumber;
    uint32_t memoryAddress;  // start of video memory as the libraries see it
    // overlay
    int overlayEnabled;  // the plane is on (it shows where keying lets it)
    int overlayPlanar;   // 0 packed 4:2:2, 1 planar 4:2:0
    uint32_t overlayOffset;
    int overlaySourceWidth;
    int overlaySourceHeight;
    int overlayPitch;
    int overlayLeft;  // destination, as programmed (before clipping)
    int overlayTop;
    int overlayWidth;
    int overlayHeight;
    int cropX;  // the part of the source shown
    int cropY;
    int cropWidth;
    int cropHeight;
    uint32_t colourKey;
    int keying;
    int brightness;  // luma offset, 0 neutral
    int contrast;    // luma gain in 1/256, 256 neutral
    int saturation;  // chroma gain in 1/256, 256 neutral
    int hue;         // degrees
    // memory
    int surfaces;        // live surfaces and buffers
    int lockedSurfaces;  // of those, locked
    // outputs
    int tvConnector;
    int tvOutput;  // television output on
    int displays;  // SIM_DISPLAY_* mask
    int colourBars;
    int osdShown;
    int librariesLoaded;  // stand-ins loaded now
} SimDisplayState;

typedef struct SimDisplaySurface {
    uint32_t offset;
    uint32_t bytes;
    int width;
    int height;
    int bitsPerPixel;
    int pitch;
    int locked;
    char owner[32];  // the library that made it
} SimDisplaySurface;

// Back to the start: the boot mode, zeroed video memory, no surfaces, overlay
// off, outputs and connector as at start, every library's state as just
// loaded (loaded libraries stay loaded), journal and faults cleared.
SIM_DISPLAY_API void sim_display_reset(void);

SIM_DISPLAY_API void sim_display_get_state(SimDisplayState* state);
// Up to max surfaces in address order; returns how many exist.
SIM_DISPLAY_API int sim_display_surfaces(SimDisplaySurface* out, int max);

// The mode used at start and by reset, applied at once. 0, or -1 when the
// table has no such mode.
SIM_DISPLAY_API int sim_display_set_boot_mode(int width, int height, int bitsPerPixel);
SIM_DISPLAY_API int sim_display_mode_number(int width, int height, int bitsPerPixel);  // 0: none
SIM_DISPLAY_API void sim_display_set_tv_connector(int state);

// Video memory and the file behind it.
SIM_DISPLAY_API unsigned char* sim_display_memory(void);
SIM_DISPLAY_API const char* sim_display_memory_path(void);

// The desktop, as the host paints it: pixel values of the current depth.
// Fills the rectangle (clipped to the screen); 0, or -1 when nothing is left.
SIM_DISPLAY_API int sim_display_fill_screen(int x, int y, int width, int height, uint32_t pixel);
SIM_DISPLAY_API uint32_t sim_display_screen_pixel(int x, int y);
// The pixel value of a colour at the current depth.
SIM_DISPLAY_API uint32_t sim_display_pixel_of(int red, int green, int blue);

// The scan-out as RGB, 3 bytes per pixel, rows top-down without padding, at
// the current mode's size. Returns the bytes needed; nothing is written when
// size is smaller. width and height may be null.
SIM_DISPLAY_API int sim_display_scan_out(unsigned char* rgb, int size, int* width, int* height);
// The scan-out as a 24-bit .bmp file; 0, or -1 when the file fails.
SIM_DISPLAY_API int sim_display_write_bmp(const char* path);

// Journal: the lines joined by '\n' into buffer (NUL-terminated, cut to
// size); returns the bytes needed including the NUL. count: lines beginning
// with prefix (all with "").
SIM_DISPLAY_API void sim_display_journal_clear(void);
SIM_DISPLAY_API int sim_display_journal_read(char* buffer, int size);
SIM_DISPLAY_API int sim_display_journal_count(const char* prefix);

// Fault injection by call: the exported name, or for VIADriverProc one
// command as "VIADriverProc:N". After `skip` calls that pass, the next
// `times` calls (< 0: all until cleared) return `result` without doing
// anything; results through out pointers are left untouched. A call's own
// name is checked before its kind.
SIM_DISPLAY_API void sim_display_fail(const char* call, int result, int skip, int times);
SIM_DISPLAY_API void sim_display_fail_next(const char* call, int result);
SIM_DISPLAY_API void sim_display_fail_kind(int kind, int skip, int times);
SIM_DISPLAY_API void sim_display_clear_faults(void);

// The seam: makes ROOT/FOLDER/LIBRARY (FOLDER "/usr/lib" or "/usr/local/lib",
// created as needed) the built stand-in of that name. With withoutName, a
// copy in which that one exported name can no longer be found (the library
// stays loadable); otherwise a symbolic link. 0, or -1.
SIM_DISPLAY_API int sim_display_install_library(const char* root, const char* folder,
                                                const char* library, const char* withoutName);
// All seven stand-ins into ROOT/FOLDER; 0, or -1.
SIM_DISPLAY_API int sim_display_install_all(const char* root, const char* folder);
// The folder that holds the built stand-ins (beside libsimdisplay.so).
SIM_DISPLAY_API const char* sim_display_stand_in_folder(void);
// 1 while the stand-in of that name is loaded.
SIM_DISPLAY_API int sim_display_library_loaded(const char* library);

// A PCI tree for MIROVA_PCI_ROOT: ROOT/00/02.0 holding one VGA display
// controller with these ids (ROOT created as needed). 0, or -1.
SIM_DISPLAY_API int sim_display_write_pci_tree(const char* root, int vendor, int device);

#ifdef __cplusplus
}  // extern "C"

// The records cross the library's boundary: the same layout on i386 and x86-64.
static_assert(sizeof(SimDisplayState) == 136, "test-control record");
static_assert(sizeof(SimDisplaySurface) == 60, "test-control record");

#include <string>
#include <vector>

// The journal as lines.
inline std::vector<std::string> SimDisplayJournal() {
    std::string text(static_cast<size_t>(sim_display_journal_read(nullptr, 0)), '\0');
    sim_display_journal_read(&text[0], static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

inline SimDisplayState SimDisplayStateNow() {
    SimDisplayState state;
    sim_display_get_state(&state);
    return state;
}

// The scan-out with its size.
struct SimScanOut {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* At(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};
inline SimScanOut SimDisplayScanOut() {
    SimScanOut out;
    out.rgb.resize(static_cast<size_t>(sim_display_scan_out(nullptr, 0, nullptr, nullptr)));
    sim_display_scan_out(out.rgb.data(), static_cast<int>(out.rgb.size()), &out.width, &out.height);
    return out;
}
#endif
