// Renderer choice on fake PCI trees: the function-0 and class filters, the last
// controller winning, the family codes with their log lines, and the
// frame-buffer fallback with its line on standard output.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/video/render/fb_test_support.h"
#include "video/render/frame_buffer.h"
#include "video/render/pci_scan.h"
#include "video/render/renderer_choice.h"

namespace {

class FakePci : public fbtest::ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        char root[] = "/tmp/mirova_pci_XXXXXX";
        ASSERT_NE(mkdtemp(root), nullptr);
        root_ = root;
        setenv("MIROVA_PCI_ROOT", root_.c_str(), 1);
        Write("devices", 0x1002, 0x5159, 0x0300);  // the summary file is never read
    }
    void TearDown() override {
        unsetenv("MIROVA_PCI_ROOT");
        std::system(("rm -rf " + root_).c_str());
        ScreenTest::TearDown();
    }
    // A configuration file: vendor, device, and the class word at byte 10.
    void Write(const std::string& relative, int vendor, int device, int classWord) {
        const size_t slash = relative.rfind('/');
        if (slash != std::string::npos)
            mkdir((root_ + "/" + relative.substr(0, slash)).c_str(), 0755);
        unsigned char config[64] = {};
        config[0] = uint8_t(vendor);
        config[1] = uint8_t(vendor >> 8);
        config[2] = uint8_t(device);
        config[3] = uint8_t(device >> 8);
        config[10] = uint8_t(classWord);
        config[11] = uint8_t(classWord >> 8);
        std::ofstream(root_ + "/" + relative, std::ios::binary)
            .write(reinterpret_cast<char*>(config), sizeof config);
    }
    PciDisplay Scan() { return ScanPciDisplay(root_, PciDisplay{}); }

    std::string root_;
};

TEST_F(FakePci, LastDisplayControllerInWalkOrderWins) {
    Write("00/02.0", 0x8086, 0x2572, 0x0300);
    Write("01/00.0", 0x10DE, 0x0110, 0x0300);
    Write("00/1f.0", 0x8086, 0x24C0, 0x0601);  // a bridge, not a display
    const PciDisplay d = Scan();
    EXPECT_TRUE(d.found);
    EXPECT_EQ(d.vendor, 0x10DE);
    EXPECT_EQ(d.device, 0x0110);
}

TEST_F(FakePci, FunctionsOtherThanZeroAreNeverConsidered) {
    Write("00/02.0", 0x1039, 0x6325, 0x0300);
    Write("01/00.1", 0x1002, 0x4C57, 0x0300);
    EXPECT_EQ(Scan().vendor, 0x1039);
}

TEST_F(FakePci, ShortFilesAndNoControllerKeepThePreviousIds) {
    std::ofstream(root_ + "/short.0") << "abc";
    const PciDisplay d = ScanPciDisplay(root_, PciDisplay{0x1002, 0xFFFF, false});
    EXPECT_FALSE(d.found);
    EXPECT_EQ(d.vendor, 0x1002);
}

TEST(FamilyReduction, Intel810LogsBothLinesAndBecomes915G) {
    fbtest::LogCapture log;
    EXPECT_EQ(ReduceToFamily(0x8086, 0x7125), kFamilyIntel915);
    EXPECT_EQ(log.Text(), "XV: Intel 810/810E used\nXV: Intel 915G used\n");
}

TEST(FamilyReduction, EachVendorGetsItsCodeAndLine) {
    struct Case {
        int vendor, device, family;
        const char* line;
    };
    const Case cases[] = {
        {0x1002, 0x5159, kFamilyAti, "XV: ATI MX used\n"},
        {0x10DE, 0x0110, kFamilyNvidia, "XV: NVIDIA used\n"},
        {0x102B, 0x0521, kFamilyMatrox, "XV: Matrox G400 used\n"},
        {0x8086, 0x3582, kFamilyIntel865, "XV: Intel 865G used\n"},
        {0x1039, 0x6300, 0x6300, "XV: SiS 550/630 used\n"},
        {0x5333, 0x8D04, kFamilyS3Twister, "XV: TWISTER_P4 used\n"},
        {0x16A9, 0x5901, 0x5901, "XV: WLKN VT3122 used\n"},
        {0x1106, 0x7205, 0x7205, "XV: KM400 used\n"},
        {0x1106, 0x8601, 0x8601, "XV: VIA VT8601 used\n"},
        {0x1234, 0x1111, 0x1111, ""},
    };
    for (const Case& c : cases) {
        fbtest::LogCapture log;
        EXPECT_EQ(ReduceToFamily(c.vendor, c.device), c.family) << std::hex << c.vendor;
        EXPECT_EQ(log.Text(), c.line);
    }
}

// Runs ChooseRenderer with standard output captured.
std::string ChooseCapturingStdout(CVRLNRenderer** renderer, int* result) {
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    *result = ChooseRenderer(renderer);
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

TEST_F(FakePci, SiS630LogsItsLineButGetsTheFrameBuffer) {
    UseScreen(64, 32, 16);
    Write("00/01.0", 0x1039, 0x6300, 0x0300);
    fbtest::LogCapture log;
    CVRLNRenderer* renderer = nullptr;
    int result = -1;
    const std::string out = ChooseCapturingStdout(&renderer, &result);
    ASSERT_EQ(result, 0);
    EXPECT_NE(dynamic_cast<CVRLNFrameBuffer*>(renderer), nullptr);
    EXPECT_EQ(out, "Warning: No supported driver. Using Frame buffer (RGB)\n");
    EXPECT_EQ(log.Text(), "XV: SiS 550/630 used\nSetRender: Now Use 16 bits mode.\n");
    EXPECT_EQ(ChosenVendorId(), 0x1039);
    EXPECT_EQ(ChosenDeviceId(), kFamilyNone);
    EXPECT_EQ(ReleaseRenderer(renderer), 0);
}

TEST_F(FakePci, AtiWithoutItsLibraryFallsBackAndPrintsOnlyTheWarning) {
    UseScreen(64, 32, 32);
    Write("01/00.0", 0x1002, 0x5159, 0x0300);
    CVRLNRenderer* renderer = nullptr;
    int result = -1;
    EXPECT_EQ(ChooseCapturingStdout(&renderer, &result),
              "Warning: No supported driver. Using Frame buffer (RGB)\n");
    ASSERT_EQ(result, 0);
    ReleaseRenderer(renderer);
}

TEST_F(FakePci, NothingOpensThenNothingIsStored) {
    InstallVirtualScreen(nullptr);
    setenv("MIROVA_FBDEV", "/nonexistent-folder/screen", 1);
    setenv("MIROVA_FBGEOMETRY", "64x32x16", 1);
    CVRLNRenderer* renderer = reinterpret_cast<CVRLNRenderer*>(uintptr_t(0x1));
    int result = 0;
    EXPECT_EQ(ChooseCapturingStdout(&renderer, &result), "");
    EXPECT_EQ(result, -1);
    EXPECT_EQ(renderer, reinterpret_cast<CVRLNRenderer*>(uintptr_t(0x1)));
    EXPECT_EQ(ChooseRenderer(nullptr), -1);
    unsetenv("MIROVA_FBDEV");
    unsetenv("MIROVA_FBGEOMETRY");
}

TEST(ReleaseRendererTest, NullIsFine) {
    EXPECT_EQ(ReleaseRenderer(nullptr), 0);
}

}  // namespace
