// The settings functions on the product key, with their defaults.
#include "platform/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/registry.h"
#include "temp_registry.h"

USE_TEMP_REGISTRY();

namespace {

std::string ProductFolder() {
    return LnRegRootFolder() + "/HKEY_LOCAL_MACHINE/Software/Corvane/Vexplay";
}

class Settings : public ::testing::Test {
  protected:
    void TearDown() override {
        LnRegDeleteKey(LnRegRootKey(LnRegRoot::LocalMachine), "Software\\Corvane\\Vexplay");
    }
};

TEST_F(Settings, MissingValuesGiveTheDefaults) {
    EXPECT_EQ(SettingGetInt("NOPE", 42), 42);
    EXPECT_FLOAT_EQ(SettingGetFloat("NOPE", 1.5f), 1.5f);
    char text[8];
    std::memset(text, 'x', sizeof(text));
    EXPECT_EQ(SettingGetString("NOPE", text, sizeof(text), "default text"), -1);
    EXPECT_STREQ(text, "default");
    EXPECT_EQ(SettingGetString("NOPE", text, sizeof(text), nullptr), -1);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(SettingDeleteValue("NOPE"), -1);
}

TEST_F(Settings, IntegersRoundTripInTheProductKey) {
    ASSERT_EQ(SettingSetInt("VOLUME", 12), 0);
    EXPECT_EQ(SettingGetInt("VOLUME", 0), 12);
    std::ifstream file(ProductFolder() + "/VOLUME");
    std::string text;
    std::getline(file, text);
    EXPECT_EQ(text, "1:4:12");
    EXPECT_EQ(SettingDeleteValue("VOLUME"), 0);
    EXPECT_EQ(SettingGetInt("VOLUME", -3), -3);
}

TEST_F(Settings, StringsRoundTripAndLongerDataIsNoInteger) {
    ASSERT_EQ(SettingSetString("CDROMDEVICE", "/dev/hdc", 9), 0);
    char text[32] = {};
    EXPECT_EQ(SettingGetString("CDROMDEVICE", text, sizeof(text), "none"), 0);
    EXPECT_STREQ(text, "/dev/hdc");
    EXPECT_EQ(SettingGetInt("CDROMDEVICE", 77), 77);
    char small[4];
    EXPECT_EQ(SettingGetString("CDROMDEVICE", small, sizeof(small), "abcdef"), -1);
    EXPECT_STREQ(small, "abc");
}

TEST_F(Settings, StringWithoutTerminatorComesBackTerminated) {
    ASSERT_EQ(SettingSetString("S", "abcd", 4), 0);
    char text[4];
    EXPECT_EQ(SettingGetString("S", text, sizeof(text), nullptr), 0);
    EXPECT_STREQ(text, "abc");
}

TEST_F(Settings, FloatsAreReadFromText) {
    ASSERT_EQ(SettingSetString("GAMMA", "1.25", 5), 0);
    EXPECT_FLOAT_EQ(SettingGetFloat("GAMMA", 0.0f), 1.25f);
}

// A directory where the value file should be cannot be written, even by root.
TEST_F(Settings, SettersPassOnAFailedWrite) {
    ASSERT_EQ(SettingSetInt("FIRST", 1), 0);
    ASSERT_EQ(mkdir((ProductFolder() + "/BLOCKED").c_str(), 0700), 0);
    EXPECT_EQ(SettingSetInt("BLOCKED", 2), -1);
    EXPECT_EQ(SettingSetString("BLOCKED", "x", 2), -1);
    EXPECT_EQ(SettingGetInt("BLOCKED", 9), 9);
}

// A reader running beside a writer never finds the value missing: the writer
// locks the file before it empties it.
TEST_F(Settings, ConcurrentReaderNeverSeesAnEmptyValue) {
    ASSERT_EQ(SettingSetInt("RACE", 1000), 0);
    std::atomic<bool> stop{false};
    std::thread writer([&stop] {
        for (int i = 0; !stop.load(); i = (i + 1) % 1000) SettingSetInt("RACE", 1000 + i);
    });
    int defaults = 0;
    for (int i = 0; i < 3000; ++i) {
        if (SettingGetInt("RACE", -1) == -1) ++defaults;
    }
    stop.store(true);
    writer.join();
    EXPECT_EQ(defaults, 0);
}

}  // namespace
