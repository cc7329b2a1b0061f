// The simulated controller through its test control: video memory and its
// file, modes, the desktop and the scan-out, the .bmp, journal, faults, reset.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "tests/sim/display/display_fixture.h"
#include "video/render/vendor/intel_calls.h"

namespace {

using displaytest::Grey;
using displaytest::PixelAt;
using displaytest::StandInTest;
using ::testing::ElementsAre;

class Controller : public StandInTest {};

TEST_F(Controller, VideoMemoryLiesBelowFourGibibytesAndIsTheFileItNames) {
    const SimDisplayState s = SimDisplayStateNow();
    unsigned char* memory = sim_display_memory();
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(uint64_t(reinterpret_cast<uintptr_t>(memory)), uint64_t(s.memoryAddress));
    EXPECT_LE(uint64_t(reinterpret_cast<uintptr_t>(memory)) + SIM_DISPLAY_MEMORY_BYTES, uint64_t(1)
                                                                                            << 32);
    memory[1000] = 0x5A;
    const int fd = open(sim_display_memory_path(), O_RDONLY);
    ASSERT_GE(fd, 0);
    unsigned char byte = 0;
    EXPECT_EQ(pread(fd, &byte, 1, 1000), 1);
    close(fd);
    EXPECT_EQ(byte, 0x5A);
}

TEST_F(Controller, StartsIn1024x768At16BitsAndKnowsTheModeNumbers) {
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.width, 1024);
    EXPECT_EQ(s.height, 768);
    EXPECT_EQ(s.bitsPerPixel, 16);
    EXPECT_EQ(s.lineLength, 2048);
    EXPECT_EQ(s.modeNumber, 0x117);
    EXPECT_EQ(sim_display_mode_number(800, 600, 16), 0x114);
    EXPECT_EQ(sim_display_mode_number(1280, 768, 32), 0x167);
    EXPECT_EQ(sim_display_mode_number(1280, 800, 16), 0x168);
    EXPECT_EQ(sim_display_mode_number(1280, 1024, 32), 0x11B);
    EXPECT_EQ(sim_display_mode_number(1000, 700, 16), 0);
}

TEST_F(Controller, TheBootModeIsKeptAcrossReset) {
    ASSERT_EQ(sim_display_set_boot_mode(800, 600, 32), 0);
    EXPECT_EQ(SimDisplayStateNow().width, 800);
    sim_display_reset();
    EXPECT_EQ(SimDisplayStateNow().bitsPerPixel, 32);
    EXPECT_EQ(sim_display_set_boot_mode(801, 600, 32), -1);
    ASSERT_EQ(sim_display_set_boot_mode(1024, 768, 16), 0);
}

TEST_F(Controller, TheScanOutShowsTheDesktopAtEitherDepth) {
    ASSERT_EQ(sim_display_fill_screen(10, 20, 5, 5, sim_display_pixel_of(255, 0, 0)), 0);
    SimScanOut s = SimDisplayScanOut();
    EXPECT_EQ(s.width, 1024);
    EXPECT_EQ(s.height, 768);
    EXPECT_EQ(PixelAt(s, 12, 22).r, 255);
    EXPECT_EQ(PixelAt(s, 12, 22).g, 0);
    EXPECT_TRUE(Grey(PixelAt(s, 9, 22), 0));
    ASSERT_EQ(sim_display_set_boot_mode(640, 480, 32), 0);
    ASSERT_EQ(sim_display_fill_screen(0, 0, 640, 480, sim_display_pixel_of(10, 20, 30)), 0);
    s = SimDisplayScanOut();
    EXPECT_EQ(PixelAt(s, 639, 479).r, 10);
    EXPECT_EQ(PixelAt(s, 639, 479).g, 20);
    EXPECT_EQ(PixelAt(s, 639, 479).b, 30);
    ASSERT_EQ(sim_display_set_boot_mode(1024, 768, 16), 0);
}

TEST_F(Controller, FillsAreClippedToTheScreen) {
    const uint32_t white = sim_display_pixel_of(255, 255, 255);
    EXPECT_EQ(sim_display_fill_screen(1020, 760, 100, 100, white), 0);
    EXPECT_EQ(sim_display_screen_pixel(1023, 767), white);
    EXPECT_EQ(sim_display_screen_pixel(1019, 767), 0u);
    EXPECT_EQ(sim_display_fill_screen(2000, 10, 5, 5, white), -1);
    EXPECT_EQ(sim_display_fill_screen(-10, -10, 11, 11, white), 0);
    EXPECT_EQ(sim_display_screen_pixel(0, 0), white);
    EXPECT_EQ(sim_display_screen_pixel(1, 1), 0u);
}

TEST_F(Controller, WritesTheScanOutAsABitmapFile) {
    ASSERT_EQ(sim_display_fill_screen(0, 767, 1, 1, sim_display_pixel_of(0, 0, 255)), 0);
    const std::string path = root_ + "/scan.bmp";
    ASSERT_EQ(sim_display_write_bmp(path.c_str()), 0);
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 54u + 1024u * 768u * 3u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    // The first row of the file is the bottom line of the screen: blue, green, red.
    EXPECT_EQ(uint8_t(bytes[54]), 255);
    EXPECT_EQ(uint8_t(bytes[55]), 0);
    EXPECT_EQ(uint8_t(bytes[56]), 0);
    EXPECT_EQ(sim_display_write_bmp((root_ + "/no/such/folder.bmp").c_str()), -1);
}

TEST_F(Controller, JournalCountsByPrefixAndClears) {
    IntelOverlayCalls calls;
    Bind(IntelOverlayLibrary(true), &calls);
    calls.getVesaModeNumber(800, 600, 16);
    calls.getVesaModeNumber(1024, 768, 32);
    calls.tvConnector();
    EXPECT_EQ(sim_display_journal_count("MCGetVesaModeNumber__FUiUiUi"), 2);
    EXPECT_EQ(sim_display_journal_count(""), 3);
    EXPECT_THAT(SimDisplayJournal(),
                ElementsAre("MCGetVesaModeNumber__FUiUiUi 800 600 16",
                            "MCGetVesaModeNumber__FUiUiUi 1024 768 32", "MCTVConnector__Fv"));
    char small[8];
    EXPECT_GT(sim_display_journal_read(small, sizeof small), int(sizeof small));
    EXPECT_EQ(std::string(small), "MCGetVe");
    sim_display_journal_clear();
    EXPECT_TRUE(SimDisplayJournal().empty());
}

TEST_F(Controller, FaultsSkipCountAndWearOff) {
    IntelOverlayCalls calls;
    Bind(IntelOverlayLibrary(true), &calls);
    sim_display_fail("MCGetVesaModeNumber__FUiUiUi", 7, 1, 2);
    EXPECT_EQ(calls.getVesaModeNumber(800, 600, 16), 0x114u);
    EXPECT_EQ(calls.getVesaModeNumber(800, 600, 16), 7u);
    EXPECT_EQ(calls.getVesaModeNumber(800, 600, 16), 7u);
    EXPECT_EQ(calls.getVesaModeNumber(800, 600, 16), 0x114u);
    EXPECT_EQ(sim_display_journal_count("MCGetVesaModeNumber__FUiUiUi 800 600 16 -> fault"), 2);
}

TEST_F(Controller, KindFaultsAnswerWithEachCallsOwnFailure) {
    IntelOverlayCalls calls;
    Bind(IntelOverlayLibrary(true), &calls);
    sim_display_fail_kind(SIM_DISPLAY_FAULT_SURFACE, 0, -1);
    EXPECT_EQ(calls.createSurface(64, 64, 16), 0u);
    EXPECT_EQ(calls.createSurface(64, 64, 16), 0u);
    EXPECT_EQ(calls.initVideoOverlay(), 1u) << "another kind is untouched";
    sim_display_clear_faults();
    EXPECT_NE(calls.createSurface(64, 64, 16), 0u);
}

TEST_F(Controller, ResetForgetsSurfacesOverlayJournalAndFaults) {
    IntelOverlayCalls calls;
    Bind(IntelOverlayLibrary(true), &calls);
    ASSERT_EQ(calls.initVideoOverlay(), 1u);
    const uint32_t surface = calls.createSurface(64, 64, 16);
    ASSERT_NE(surface, 0u);
    calls.updateOverlay(0, 0, 64, 64, surface - calls.getOnScreenStart(), 64, 64, 1, 1);
    sim_display_fill_screen(0, 0, 4, 4, 0x1234);
    sim_display_fail_next("MCInitLib__Fv", 0);
    sim_display_set_tv_connector(0);
    sim_display_reset();
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.surfaces, 0);
    EXPECT_EQ(s.overlayEnabled, 0);
    EXPECT_EQ(s.tvConnector, 1);
    EXPECT_EQ(sim_display_screen_pixel(0, 0), 0u);
    EXPECT_TRUE(SimDisplayJournal().empty());
    EXPECT_EQ(calls.initLib(), 1u);
    EXPECT_EQ(calls.updateOverlay(0, 0, 64, 64, 0, 64, 64, 1, 0), 0u)
        << "the library's state is as just loaded: its overlay is not prepared";
}

TEST_F(Controller, WritesAPciTreeWithOneDisplayController) {
    const std::string root = root_ + "/pci";
    ASSERT_EQ(sim_display_write_pci_tree(root.c_str(), 0x8086, 0x2582), 0);
    std::ifstream in(root + "/00/02.0", std::ios::binary);
    unsigned char config[12] = {};
    in.read(reinterpret_cast<char*>(config), sizeof config);
    EXPECT_EQ(config[0] | (config[1] << 8), 0x8086);
    EXPECT_EQ(config[2] | (config[3] << 8), 0x2582);
    EXPECT_EQ(config[10] | (config[11] << 8), 0x0300);
}

}  // namespace
