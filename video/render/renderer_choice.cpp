// Renderer choice: PCI scan, family reduction, the trial table and the
// frame-buffer fallback.
#include "video/render/renderer_choice.h"

#include <cstdio>
#include <initializer_list>
#include <memory>

#include "platform/debug_log.h"
#include "video/kernels/library_state.h"
#include "video/render/ati/radeon_renderer.h"
#include "video/render/frame_buffer.h"
#include "video/render/intel/intel_renderer.h"
#include "video/render/nvidia/nvidia_renderer.h"
#include "video/render/pci_scan.h"
#include "video/render/s3/s3_renderer.h"
#include "video/render/sis/sis_renderer.h"
#include "video/render/via/cle266_renderer.h"

namespace {

constexpr int32_t kVendorAti = 0x1002;
constexpr int32_t kVendorNvidia = 0x10DE;
constexpr int32_t kVendorMatrox = 0x102B;
constexpr int32_t kVendorSis = 0x1039;
constexpr int32_t kVendorS3 = 0x5333;
constexpr int32_t kVendorVia = 0x1106;
constexpr int32_t kVendorS3Via = 0x16A9;
constexpr int32_t kVendorIntel = 0x8086;

PciDisplay g_display;  // ids of the last scan; the vendor survives a scan that finds nothing

bool In(int32_t value, std::initializer_list<int32_t> set) {
    for (int32_t v : set)
        if (v == value) return true;
    return false;
}

struct ChipLine {
    int32_t vendor;
    int32_t device;  // -1: any device of the vendor
    const char* line;
};

// Chips that are named in the log, in the order they are tested.
constexpr ChipLine kNamedChips[] = {
    {kVendorS3, 0x8C12, "XV: SAVAGEIX_MV used\n"},
    {kVendorS3, 0x8C2E, "XV: SAVAGEIX8P used\n"},
    {kVendorS3, 0x8D04, "XV: TWISTER_P4 used\n"},
    {kVendorVia, 0x8601, "XV: VIA VT8601 used\n"},
    {kVendorS3Via, 0x5901, "XV: WLKN VT3122 used\n"},
    {kVendorVia, 0x3122, "XV: WLKN VT3122 used\n"},
    {kVendorVia, 0x7205, "XV: KM400 used\n"},
    {kVendorVia, 0x3118, "XV: WLKN VT3259 used\n"},
    {kVendorVia, 0x3108, "XV: WLKN VT3204 used\n"},
};

int32_t ReduceIntel(int32_t device) {
    if (In(device, {0x7122, 0x7120, 0x7123, 0x7125, 0x1132})) {
        device = kFamilyIntel810;
        DebugPrint("XV: Intel 810/810E used\n");
    }
    if (In(device, {0x2562, 0x3580, 0x3582, 0x2572})) {
        DebugPrint("XV: Intel 865G used\n");
        return kFamilyIntel865;
    }
    DebugPrint("XV: Intel 915G used\n");
    return kFamilyIntel915;
}

using Factory = std::unique_ptr<CVRLNRenderer> (*)();

template <typename Renderer>
std::unique_ptr<CVRLNRenderer> Make() {
    return std::make_unique<Renderer>();
}

struct Trial {
    int32_t families[5];  // unused places hold -1
    Factory create;
    const char* line;
};

// Fixed trial order; a machine none of them opens on falls back to the frame buffer.
const Trial kRendererTrials[] = {
    {{kFamilyAti, -1, -1, -1, -1}, Make<CVRLNRadeon>, "Using ATI MX renderer"},
    {{kFamilyIntel865, -1, -1, -1, -1}, Make<CVRLNI865G>, "Using Intel 865G renderer"},
    {{kFamilyIntel915, -1, -1, -1, -1}, Make<CVRLNI915G>, "Using Intel 915G renderer"},
    {{0x5901, 0x3122, 0x7205, 0x3118, 0x3108}, Make<CVRLNCLE266>, "Using CLE266 renderer"},
    {{kFamilySis, -1, -1, -1, -1}, Make<CVRLNSiS>, "Using SIS renderer"},
    {{kFamilyS3Twister, -1, -1, -1, -1}, Make<CVRLNS3Twister>, "Using S3 Twister renderer"},
    {{kFamilyNvidia, -1, -1, -1, -1}, Make<CVRLNNvidia>, "Using NVIDIA renderer"},
};

// A renderer whose Open fails is closed and destroyed at once.
std::unique_ptr<CVRLNRenderer> TryOpen(std::unique_ptr<CVRLNRenderer> renderer) {
    if (renderer->Open() >= 0) return renderer;
    renderer->Close();
    return nullptr;
}

std::unique_ptr<CVRLNRenderer> TryHardware(int32_t family) {
    for (const Trial& trial : kRendererTrials) {
        bool matches = false;
        for (int32_t f : trial.families) matches = matches || f == family;
        if (!matches) continue;
        if (auto renderer = TryOpen(trial.create())) {
            std::printf("%s\n", trial.line);
            std::fflush(stdout);
            return renderer;
        }
    }
    return nullptr;
}

void SetChoiceDefaults() {
    SetCurrentFrameSize(720, 576);
    if (ConfiguredOutputWidth() == 0 || ConfiguredOutputHeight() == 0)
        SetConfiguredOutputSize(ConfiguredOutputWidth() == 0 ? 720 : ConfiguredOutputWidth(),
                                ConfiguredOutputHeight() == 0 ? 576 : ConfiguredOutputHeight());
    SetRendererFlags(0);
}

}  // namespace

int32_t ChosenVendorId() {
    return g_display.vendor;
}

int32_t ChosenDeviceId() {
    return g_display.device;
}

int32_t ReduceToFamily(int32_t vendor, int32_t device) {
    if (vendor == kVendorAti) {
        device = kFamilyAti;
        DebugPrint("XV: ATI MX used\n");
    }
    if (vendor == kVendorNvidia) {
        device = kFamilyNvidia;
        DebugPrint("XV: NVIDIA used\n");
    }
    if (vendor == kVendorMatrox && In(device, {0x0518, 0x0519, 0x051A, 0x0521, 0x0525})) {
        device = kFamilyMatrox;
        DebugPrint("XV: Matrox G400 used\n");
    }
    if (vendor == kVendorSis && In(device, {0x6300, 0x5315, 0x6325}))
        DebugPrint("XV: SiS 550/630 used\n");
    for (const ChipLine& chip : kNamedChips)
        if (vendor == chip.vendor && device == chip.device) DebugPrint("%s", chip.line);
    if (vendor == kVendorIntel) device = ReduceIntel(device);
    return device;
}

int ChooseRenderer(CVRLNRenderer** out) {
    if (out == nullptr) return -1;
    SetChoiceDefaults();
    g_display.device = kFamilyNone;
    g_display = ScanPciDisplay(PciRoot(), g_display);
    g_display.device = ReduceToFamily(g_display.vendor, g_display.device);
    std::unique_ptr<CVRLNRenderer> renderer = TryHardware(g_display.device);
    if (renderer == nullptr) {
        g_display.device = kFamilyNone;
        renderer = TryOpen(std::make_unique<CVRLNFrameBuffer>());
        if (renderer == nullptr) return -1;
        std::printf("Warning: No supported driver. Using Frame buffer (RGB)\n");
        std::fflush(stdout);
    }
    *out = renderer.release();
    return 0;
}

int ReleaseRenderer(CVRLNRenderer* renderer) {
    if (renderer == nullptr) return 0;
    renderer->Close();
    delete renderer;
    return 0;
}
