// Points the registry at a fresh temporary folder for the whole test program
// (the registry reads RAVELOHOME once) and removes it afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class TempRegistryEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        char pattern[] = "/tmp/platform-registry-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        base_ = pattern;
        setenv("RAVELOHOME", base_.c_str(), 1);
    }
    void TearDown() override {
        std::error_code ignored;
        if (!base_.empty()) std::filesystem::remove_all(base_, ignored);
    }
    static const std::string& Base() { return base_; }

  private:
    static inline std::string base_;
};

// Registers the environment once per test program.
#define USE_TEMP_REGISTRY()                                                \
    [[maybe_unused]] static ::testing::Environment* const g_tempRegistry = \
        ::testing::AddGlobalTestEnvironment(new TempRegistryEnvironment)
