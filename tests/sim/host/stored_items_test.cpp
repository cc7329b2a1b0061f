// With the settings store loaded in the process, the registration object lists each
// item with the value stored under its key.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "interfaces/host_framework.h"
#include "sim/host/host_journal.h"

namespace {

class StoredItems : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/host_items_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
        // The store reads its folder when first used, which is below.
        setenv("SOLVANE_SETTINGS_DIR", directory_.c_str(), 1);
        hostsim::ResetAll();
    }
    void TearDown() override {
        std::string command = "rm -rf '" + directory_ + "'";
        EXPECT_EQ(system(command.c_str()), 0);
    }

    std::string directory_;
};

TEST_F(StoredItems, ValuesComeFromTheSettingsStoreAndDefaultOtherwise) {
    ASSERT_EQ(setRegInt("SolvaneON_TV_CONTRAST", 8), 0);
    CZAQRegistration* registration = CZAQRegisterFactory::RegisterFactory(kMediaTv);
    std::vector<CZAQPictureItem> items;
    registration->FillPictureGroupItems(items, kItemGroupPictureDefaults);
    registration->Release();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[1].key, "SolvaneON_TV_CONTRAST");
    EXPECT_EQ(items[1].value, 8);
    EXPECT_EQ(items[0].value, 0) << "nothing stored: the host's default";
}

}  // namespace
