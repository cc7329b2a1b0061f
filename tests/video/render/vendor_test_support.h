// Set-up shared by the tests of the vendor binder and the hardware
// renderers: a fresh simulated display controller and a temporary root that
// MIROVA_VENDOR_ROOT names, into which a test places the stand-ins it wants.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "sim/display/sim_display.h"

namespace vendortest {

class VendorRoot : public ::testing::Test {
  protected:
    void SetUp() override {
        char root[] = "/tmp/mirova_vendor_root_XXXXXX";
        ASSERT_NE(mkdtemp(root), nullptr);
        root_ = root;
        setenv("MIROVA_VENDOR_ROOT", root_.c_str(), 1);
        sim_display_reset();
    }
    void TearDown() override {
        sim_display_reset();
        unsetenv("MIROVA_VENDOR_ROOT");
        const std::string command = "rm -rf " + root_;
        ASSERT_EQ(system(command.c_str()), 0);
    }
    // folder: "/usr/lib" or "/usr/local/lib"; without: a name the copy lacks.
    void Install(const char* library, const char* folder = "/usr/lib",
                 const char* without = nullptr) {
        ASSERT_EQ(sim_display_install_library(root_.c_str(), folder, library, without), 0)
            << library;
    }

    std::string root_;
};

}  // namespace vendortest
