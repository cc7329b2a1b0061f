// Favourite stations end to end: loading from the settings store, listing and storing
// through the setup menu, recalling with the favourite keys, saving at destruction.
#include "tests/plugins/fm/fm_controller_fixture.h"
#include "tests/plugins/fm/fm_test_support.h"

namespace fmtest {
namespace {

using FmPresetsTest = FmControllerTest;

std::string Line(int slot, const char* megahertz) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d\t-\t%s\tMHz", slot, megahertz);
    return text;
}

// The menu 198 line the controller sent last, as the host journal decodes it.
std::string LastListing() {
    const auto lines = hostsim::JournalFind("menu 198 ");
    return lines.empty() ? "" : lines.back();
}

std::string ListingOf(const std::vector<std::string>& entries) {
    std::string text = "menu 198 {";
    for (size_t i = 0; i < entries.size(); ++i) text += (i ? "|" : "") + entries[i];
    return text + "} 0 0 0";
}

std::vector<std::string> TenAt(const char* megahertz) {
    std::vector<std::string> entries;
    for (int slot = 1; slot <= 10; ++slot) entries.push_back(Line(slot, megahertz));
    return entries;
}

// ---- Loading and listing ----

TEST_F(FmPresetsTest, MissingPresetsKeyGivesTenPresetsAtTheBandStart) {
    CreateAndStart();
    MenuEvent(3, 0, 111);
    ASSERT_TRUE(WaitForHost("menu 198 "));
    EXPECT_EQ(LastListing(), ListingOf(TenAt("87.5")));
}

TEST_F(FmPresetsTest, EmptyStoredValueIsFilledToTenPresets) {
    setRegStr("SolvaneON_FM_FAVORITE_CHANNELS", "");
    CreateAndStart();
    MenuEvent(3, 0, 111);
    ASSERT_TRUE(WaitForHost("menu 198 "));
    EXPECT_EQ(LastListing(), ListingOf(TenAt("87.5")));
    Key("(");
    EXPECT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmFavourite == "1."; }));
}

TEST_F(FmPresetsTest, FieldsReadAsCNumbersAndShortListsAreFilled) {
    setRegStr("SolvaneON_FM_FAVORITE_CHANNELS", "0x10#010#");
    CreateAndStart();
    MenuEvent(3, 0, 111);
    ASSERT_TRUE(WaitForHost("menu 198 "));
    std::vector<std::string> expected = TenAt("87.5");
    expected[0] = Line(1, "88.3");
    expected[1] = Line(2, "87.9");
    EXPECT_EQ(LastListing(), ListingOf(expected));
}

TEST_F(FmPresetsTest, PresetsOutsideTheBandBecomeChannelZero) {
    // 99999 would be 5087.5 MHz; -2 and 411 lie just outside the 411-channel band.
    setRegStr("SolvaneON_FM_FAVORITE_CHANNELS", "99999#4#-2#411#410#");
    CreateAndStart();
    MenuEvent(3, 0, 111);
    ASSERT_TRUE(WaitForHost("menu 198 "));
    std::vector<std::string> expected = TenAt("87.5");
    expected[1] = Line(2, "87.7");
    expected[4] = Line(5, "108.0");
    EXPECT_EQ(LastListing(), ListingOf(expected));
    Key("(");
    ASSERT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmFavourite == "1."; }));
    EXPECT_TRUE(WaitForFrequency("87.5"));
    EXPECT_EQ(hostsim::CurrentState().frequencyHz, 87500000);
    EXPECT_EQ(Tuner().fmChannel, 0);
    EXPECT_TRUE(fmtest::TunerLines("ZAQ_SelectChannel 99999").empty());
}

TEST_F(FmPresetsTest, PresetsReadAsThirtyTwoBitNumbers) {
    // 4294967396 is 2^32 + 100: narrowed from a 64-bit long it would be channel 100.
    setRegStr("SolvaneON_FM_FAVORITE_CHANNELS", "4294967396#0x100000064#-4294967196#100#");
    CreateAndStart();
    MenuEvent(3, 0, 111);
    ASSERT_TRUE(WaitForHost("menu 198 "));
    std::vector<std::string> expected = TenAt("87.5");
    expected[3] = Line(4, "92.5");
    EXPECT_EQ(LastListing(), ListingOf(expected));
}

TEST_F(FmPresetsTest, JapaneseBandTakesOnlyItsOwnChannels) {
    setRegStr("SolvaneON_TV_CONTRY", "Japan");
    setRegStr("SolvaneON_FM_FAVORITE_CHANNELS", "280#281#300#");
    CreateAndStart();
    MenuEvent(3, 0, 111);
    ASSERT_TRUE(WaitForHost("menu 198 "));
    std::vector<std::string> expected = TenAt("76.0");
    expected[0] = Line(1, "90.0");
    EXPECT_EQ(LastListing(), ListingOf(expected));
}

// ---- Storing ----

TEST_F(FmPresetsTest, StoringPutsTheCurrentChannelInTheSlotAndSavesIt) {
    CreateAndStart();
    Key("1011");
    ASSERT_TRUE(WaitForFrequency("101.1"));
    MenuEvent(3, 2, 112);
    ASSERT_TRUE(WaitForHost("menu 199 "));
    EXPECT_TRUE(hostsim::JournalContains("menu 199 " + Line(3, "101.1") + " 0 0 0"));
    Destroy();
    char stored[ZAQ_SETTING_MAX_LENGTH] = "";
    ASSERT_EQ(getRegStr("SolvaneON_FM_FAVORITE_CHANNELS", stored), 0);
    EXPECT_STREQ(stored, "0#0#272#0#0#0#0#0#0#0#");
}

TEST_F(FmPresetsTest, StoringIntoASlotOutsideTheListDoesNothing) {
    CreateAndStart();
    MenuEvent(3, static_cast<unsigned>(-1), 112);
    MenuEvent(3, 10, 112);
    Settle();
    EXPECT_EQ(hostsim::JournalCount("menu 199 "), 0u);
    Destroy();
    char stored[ZAQ_SETTING_MAX_LENGTH] = "";
    ASSERT_EQ(getRegStr("SolvaneON_FM_FAVORITE_CHANNELS", stored), 0);
    EXPECT_STREQ(stored, "0#0#0#0#0#0#0#0#0#0#");
}

// ---- Recalling ----

TEST_F(FmPresetsTest, NextFromTheLastSlotWrapsToTheFirst) {
    setRegStr("SolvaneON_FM_FAVORITE_CHANNELS", "10#20#30#40#50#60#70#80#90#100#");
    setRegInt("SolvaneON_FM_PREVIOUS_FAVORITE_CH", 9);
    CreateAndStart();
    Key("(");
    ASSERT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmFavourite == "10."; }));
    EXPECT_TRUE(WaitForFrequency("92.5"));
    EXPECT_EQ(hostsim::CurrentState().frequencyFlag, 10);
    Key("(");
    ASSERT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmFavourite == "1."; }));
    EXPECT_TRUE(WaitForFrequency("88.0"));
    EXPECT_EQ(Tuner().fmChannel, 10);
    EXPECT_EQ(getRegInt("SolvaneON_FM_PREVIOUS_FAVORITE_CH", -1), 0);
    Key(")");
    ASSERT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmFavourite == "10."; }));
}

TEST_F(FmPresetsTest, FirstFavouriteKeyAfterAStepRecallsTheRememberedSlot) {
    setRegStr("SolvaneON_FM_FAVORITE_CHANNELS", "10#20#30#40#50#60#70#80#90#100#");
    setRegInt("SolvaneON_FM_PREVIOUS_FAVORITE_CH", 3);
    CreateAndStart();
    Key("(");
    ASSERT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmFavourite == "4."; }));
    Key(">");
    ASSERT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmFavourite.empty(); }));
    EXPECT_TRUE(WaitForFrequency("89.6"));
    Key(std::string(1, 31));
    ASSERT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmFavourite == "4."; }));
    EXPECT_TRUE(WaitForFrequency("89.5"));
}

TEST_F(FmPresetsTest, RememberedSlotOutsideTheListRecallsTheFirst) {
    setRegInt("SolvaneON_FM_PREVIOUS_FAVORITE_CH", 42);
    CreateAndStart();
    Key("(");
    EXPECT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmFavourite == "1."; }));
}

}  // namespace
}  // namespace fmtest
