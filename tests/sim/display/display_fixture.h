// Shared set-up of the display stand-in tests: a fresh controller, the seven
// stand-ins placed under a temporary root that MIROVA_VENDOR_ROOT names, and
// typed tables bound through the renderers' own binder.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/display/sim_display.h"
#include "video/render/vendor/vendor_library.h"

namespace displaytest {

class StandInTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char root[] = "/tmp/sim_display_root_XXXXXX";
        ASSERT_NE(mkdtemp(root), nullptr);
        root_ = root;
        ASSERT_EQ(sim_display_install_all(root_.c_str(), "/usr/lib"), 0);
        setenv("MIROVA_VENDOR_ROOT", root_.c_str(), 1);
        sim_display_reset();
    }
    void TearDown() override {
        library_.Close();
        sim_display_reset();
        unsetenv("MIROVA_VENDOR_ROOT");
        const std::string command = "rm -rf " + root_;
        ASSERT_EQ(system(command.c_str()), 0);
    }
    // Binds a typed table; the library stays loaded until the test ends.
    template <typename Calls>
    void Bind(const VendorLibrarySpec& spec, Calls* calls) {
        ASSERT_EQ(BindVendorCalls(&library_, spec, calls), VendorBind::kBound)
            << library_.MissingName();
        sim_display_journal_clear();
    }

    std::string root_;
    CVendorLibrary library_;
};

// A packed 4:2:2 picture of one colour.
inline std::vector<uint8_t> PackedPicture(int width, int height, uint8_t y, uint8_t u, uint8_t v) {
    std::vector<uint8_t> bytes(size_t(width) * height * 2);
    for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
        bytes[i] = y;
        bytes[i + 1] = u;
        bytes[i + 2] = y;
        bytes[i + 3] = v;
    }
    return bytes;
}

// The scan-out pixel as red, green, blue.
struct Rgb {
    int r, g, b;
};
inline Rgb PixelAt(const SimScanOut& s, int x, int y) {
    const unsigned char* p = s.At(x, y);
    return Rgb{p[0], p[1], p[2]};
}
inline bool Grey(const Rgb& c, int level, int tolerance = 0) {
    return std::abs(c.r - level) <= tolerance && std::abs(c.g - level) <= tolerance &&
           std::abs(c.b - level) <= tolerance;
}

}  // namespace displaytest
