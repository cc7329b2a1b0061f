// The stored formats: favourites file and labels, offsets file, the
// fine-tuning rule, and what is applied at start and saved at exit.
#include "plugins/tv/tv_persistence.h"
#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/tv_settings_keys.h"
#include "plugins/tv/tv_ui_ctrl.h"
#include "tests/plugins/tv/tv_test_support.h"
#include "tests/support/file_size_limit.h"

#include <dirent.h>

#include <cerrno>

namespace {

using tvtest::ReadFile;
using tvtest::WriteFile;

// Names in the working directory that a replacement could leave behind.
std::vector<std::string> TemporaryFiles() {
    std::vector<std::string> names;
    DIR* folder = opendir(".");
    if (folder == nullptr) return names;
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name.find(".tmp.") != std::string::npos) names.push_back(name);
    }
    closedir(folder);
    return names;
}

std::string ZeroOffsets() {
    std::string text;
    for (int i = 0; i < 512; ++i) text += "    0\n";
    return text;
}

class TvPersistence : public tvtest::TvWorld {
  protected:
    void SetUp() override {
        TvWorld::SetUp();
        ui_ = std::make_unique<CTVUICtrl>();
    }
    void TearDown() override {
        ui_.reset();
        TvWorld::TearDown();
    }
    TvController& Tv() { return ui_->Controller(); }
    std::unique_ptr<CTVUICtrl> ui_;
};

TEST_F(TvPersistence, NoFavouritesFileGivesTwelveEmptyPositions) {
    LoadFavourites(Tv());
    EXPECT_EQ(Tv().favourites, std::vector<int>(12, -1));
    EXPECT_EQ(Tv().favouriteLabels.front(), "SAVE01");
    EXPECT_EQ(Tv().favouriteLabels[8], "SAVE09");
    EXPECT_EQ(Tv().favouriteLabels.back(), "SAVE12");
}

TEST_F(TvPersistence, TwoLinesGiveOneFavouriteAndElevenEmpty) {
    WriteFile(kFavouritesFile, "3\n-1\n");
    LoadFavourites(Tv());
    std::vector<int> expected(12, -1);
    expected[0] = 3;
    EXPECT_EQ(Tv().favourites, expected);
    EXPECT_EQ(Tv().favouriteLabels[0], "CH04");
    EXPECT_EQ(Tv().favouriteLabels[1], "SAVE02");
}

TEST_F(TvPersistence, LabelsCountChannelsFromOne) {
    EXPECT_EQ(FavouriteLabel(1, 8), "CH09");
    EXPECT_EQ(FavouriteLabel(1, 9), "CH10");
    EXPECT_EQ(FavouriteLabel(10, -1), "SAVE10");
    EXPECT_EQ(FavouriteLabel(12, 123), "CH124");
}

TEST_F(TvPersistence, DamagedFavouriteWordsAreEmptyPositions) {
    WriteFile(kFavouritesFile, "abc\n7\n600\n-5\n12x\n\n9\n");
    LoadFavourites(Tv());
    std::vector<int> expected(12, -1);
    expected[1] = 7;
    expected[5] = 9;
    EXPECT_EQ(Tv().favourites, expected);
}

// ---- Favourites read as whitespace-separated numbers ----

TEST_F(TvPersistence, NumbersOnOneLineAreSeparatePositions) {
    WriteFile(kFavouritesFile, "3 4 5");
    LoadFavourites(Tv());
    std::vector<int> expected(12, -1);
    expected[0] = 3;
    expected[1] = 4;
    expected[2] = 5;
    EXPECT_EQ(Tv().favourites, expected);
    EXPECT_EQ(Tv().favouriteLabels[2], "CH06");
}

TEST_F(TvPersistence, BlankLinesAndTabsSeparateWithoutCountingAsPositions) {
    WriteFile(kFavouritesFile, "\n\n  3\r\n\n\t-1\t8\n\n511\n");
    LoadFavourites(Tv());
    std::vector<int> expected(12, -1);
    expected[0] = 3;
    expected[2] = 8;
    expected[3] = 511;
    EXPECT_EQ(Tv().favourites, expected);
}

TEST_F(TvPersistence, FavouriteNumbersBeyondThirtyTwoBitsAreEmptyPositions) {
    // 4294967396 is 2^32 + 100: narrowed from a 64-bit long it would read as slot 100.
    WriteFile(kFavouritesFile, "4294967396 -4294967295 99999999999999999999999 100");
    LoadFavourites(Tv());
    std::vector<int> expected(12, -1);
    expected[3] = 100;
    EXPECT_EQ(Tv().favourites, expected);
}

TEST_F(TvPersistence, MoreThanTwelveNumbersKeepTheFirstTwelve) {
    std::string text;
    for (int slot = 0; slot < 20; ++slot) text += std::to_string(slot) + " ";
    WriteFile(kFavouritesFile, text);
    LoadFavourites(Tv());
    ASSERT_EQ(Tv().favourites.size(), 12u);
    EXPECT_EQ(Tv().favourites[11], 11);
}

TEST_F(TvPersistence, SaveThenLoadGivesTheSameBytes) {
    WriteFile(kFavouritesFile, "3\n-1\n8\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n124\n");
    LoadFavourites(Tv());
    const std::string before = ReadFile(kFavouritesFile);
    SaveFavourites(Tv());
    EXPECT_EQ(ReadFile(kFavouritesFile), before);
    LoadFavourites(Tv());
    EXPECT_EQ(Tv().favourites[11], 124);
}

TEST_F(TvPersistence, LoadingTwiceStillHoldsTwelvePositions) {
    LoadFavourites(Tv());
    LoadFavourites(Tv());
    EXPECT_EQ(Tv().favourites.size(), 12u);
    EXPECT_EQ(Tv().favouriteLabels.size(), 12u);
}

TEST_F(TvPersistence, MissingOffsetsFileIsCreatedWithZeros) {
    LoadOffsets(Tv());
    EXPECT_EQ(ReadFile(kOffsetsFile), ZeroOffsets());
}

TEST_F(TvPersistence, OffsetsAreReadPerSlot) {
    std::string text = ZeroOffsets();
    text.replace(6 * 5, 6, " -750\n");
    WriteFile(kOffsetsFile, text);
    LoadOffsets(Tv());
    EXPECT_EQ(Tv().frequencyOffsets[5], -750);
    EXPECT_EQ(ReadFile(kOffsetsFile), text);
}

TEST_F(TvPersistence, DamagedOffsetsAreClampedZeroedAndRewrittenInLayout) {
    WriteFile(kOffsetsFile, "  250\nhello\n 9999\n-3000\n    1\n");
    LoadOffsets(Tv());
    EXPECT_EQ(Tv().frequencyOffsets[0], 250);
    EXPECT_EQ(Tv().frequencyOffsets[1], 0);
    EXPECT_EQ(Tv().frequencyOffsets[2], 2000);
    EXPECT_EQ(Tv().frequencyOffsets[3], -2000);
    EXPECT_EQ(Tv().frequencyOffsets[4], 1);
    EXPECT_EQ(Tv().frequencyOffsets[511], 0);
    const std::string text = ReadFile(kOffsetsFile);
    ASSERT_EQ(text.size(), 512u * 6);
    EXPECT_EQ(text.substr(0, 30), "  250\n    0\n 2000\n-2000\n    1\n");
}

TEST_F(TvPersistence, FineTuningStopsAtTheLimit) {
    Tv().frequencyOffsets[3] = 1900;
    Tv().currentChannel = 3;
    EXPECT_FALSE(FineTuneStep(Tv(), 250));
    EXPECT_EQ(Tv().fineTuneTotal, 0);
    EXPECT_TRUE(FineTuneStep(Tv(), -250));
    EXPECT_EQ(Tv().fineTuneTotal, -250);
    EXPECT_TRUE(hostsim::JournalContains("menu 191 0 0 0 OSD_TV"));
}

TEST_F(TvPersistence, StoringAnOffsetChangesOnlyThatSlotsLine) {
    LoadOffsets(Tv());
    const std::string before = ReadFile(kOffsetsFile);
    Tv().currentChannel = 7;
    Tv().fineTuneTotal = -1250;
    StoreFineTuning(Tv());
    EXPECT_EQ(Tv().fineTuneTotal, 0);
    EXPECT_EQ(Tv().frequencyOffsets[7], -1250);
    std::string expected = before;
    expected.replace(7 * 6, 6, "-1250\n");
    EXPECT_EQ(ReadFile(kOffsetsFile), expected);
}

TEST_F(TvPersistence, TheLastSlotsOffsetSurvivesARestart) {
    LoadOffsets(Tv());
    Tv().channelCount = 125;
    Tv().currentChannel = 124;
    Tv().fineTuneTotal = 500;
    StoreFineTuning(Tv());
    Tv().frequencyOffsets.fill(0);
    LoadOffsets(Tv());
    EXPECT_EQ(Tv().frequencyOffsets[124], 500);
}

TEST_F(TvPersistence, FavouritesModeFineTunesTheSlotOfThePosition) {
    LoadOffsets(Tv());
    LoadFavourites(Tv());
    Tv().favourites[2] = 40;
    Tv().channelMode = kFavouriteChannels;
    Tv().currentChannel = 2;
    EXPECT_EQ(CurrentSlot(Tv()), 40);
    Tv().fineTuneTotal = 250;
    StoreFineTuning(Tv());
    EXPECT_EQ(Tv().frequencyOffsets[40], 250);
}

TEST_F(TvPersistence, ChannelListRoundTripsThroughTheSettings) {
    EXPECT_FALSE(LoadChannelList(Tv()));
    Tv().channelList[1] = '1';
    Tv().channelList[124] = '1';
    SaveChannelList(Tv(), 125);
    char stored[ZAQ_SETTING_MAX_LENGTH] = {};
    ASSERT_EQ(getRegStr(kKeyChannelList, stored), 0);
    EXPECT_EQ(std::string(stored).size(), 125u);
    Tv().channelList.assign(512, '0');
    EXPECT_TRUE(LoadChannelList(Tv()));
    EXPECT_EQ(Tv().channelList[1], '1');
    EXPECT_EQ(Tv().channelList[124], '1');
    EXPECT_EQ(Tv().channelList[125], '0');
}

// ---- A disk that fills up while a stored file is written ----

const char kTwelveFavourites[] = "3\n-1\n8\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n124\n";

TEST_F(TvPersistence, FavouritesSurviveADiskThatFillsUpDuringTheSave) {
    WriteFile(kFavouritesFile, kTwelveFavourites);
    LoadFavourites(Tv());
    Tv().favourites.assign(12, 200);
    int result = 0;
    {
        FileSizeLimit disk(10);
        ASSERT_TRUE(disk.Active());
        result = SaveFavourites(Tv());
    }
    EXPECT_EQ(result, EFBIG);
    EXPECT_EQ(ReadFile(kFavouritesFile), kTwelveFavourites);
    EXPECT_TRUE(TemporaryFiles().empty());
    // With room on the disk the same save goes through whole.
    EXPECT_EQ(SaveFavourites(Tv()), 0);
    LoadFavourites(Tv());
    EXPECT_EQ(Tv().favourites, std::vector<int>(12, 200));
}

TEST_F(TvPersistence, AnOffsetSurvivesADiskThatFillsUpWhileItIsStored) {
    std::string text = ZeroOffsets();
    text.replace(6 * 2, 6, "  750\n");
    WriteFile(kOffsetsFile, text);
    LoadOffsets(Tv());
    Tv().currentChannel = 400;
    Tv().fineTuneTotal = -500;
    {
        FileSizeLimit disk(600);
        ASSERT_TRUE(disk.Active());
        StoreFineTuning(Tv());
    }
    EXPECT_EQ(ReadFile(kOffsetsFile), text);
    EXPECT_TRUE(TemporaryFiles().empty());
    // The offset is kept in memory and reaches the file with the next store.
    EXPECT_EQ(Tv().frequencyOffsets[400], -500);
    EXPECT_EQ(WriteOffset(Tv(), 400), 0);
    text.replace(6 * 400, 6, " -500\n");
    EXPECT_EQ(ReadFile(kOffsetsFile), text);
}

TEST_F(TvPersistence, ADamagedOffsetsFileSurvivesADiskThatFillsUpDuringItsRepair) {
    // Five bytes too many: the file is read and then rewritten in the layout.
    const std::string damaged = "  250\n" + ZeroOffsets().substr(6) + "12345";
    WriteFile(kOffsetsFile, damaged);
    {
        FileSizeLimit disk(600);
        ASSERT_TRUE(disk.Active());
        LoadOffsets(Tv());
    }
    EXPECT_EQ(Tv().frequencyOffsets[0], 250);
    EXPECT_EQ(ReadFile(kOffsetsFile), damaged);
    EXPECT_TRUE(TemporaryFiles().empty());
    LoadOffsets(Tv());
    EXPECT_EQ(ReadFile(kOffsetsFile).size(), 512u * 6);
}

TEST_F(TvPersistence, ReplacedFilesKeepTheirPermissions) {
    WriteFile(kFavouritesFile, kTwelveFavourites);
    ASSERT_EQ(chmod(kFavouritesFile, 0640), 0);
    LoadFavourites(Tv());
    ASSERT_EQ(SaveFavourites(Tv()), 0);
    struct stat info;
    ASSERT_EQ(stat(kFavouritesFile, &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(TvPersistence, OffsetTextsAreReadAndWrittenInTheSixByteLayout) {
    std::array<int, kTvSlots> offsets{};
    offsets[0] = 2000;
    offsets[511] = -2000;
    const std::string text = OffsetsText(offsets);
    ASSERT_EQ(text.size(), 512u * 6);
    EXPECT_EQ(text.substr(0, 6), " 2000\n");
    EXPECT_EQ(text.substr(511 * 6), "-2000\n");
    std::array<int, kTvSlots> read{};
    EXPECT_TRUE(ReadOffsets(text, &read));
    EXPECT_EQ(read, offsets);
    EXPECT_FALSE(ReadOffsets(text.substr(6), &read));
    EXPECT_FALSE(ReadOffsets("4294967396\n", &read));
    EXPECT_EQ(read[0], 2000);
}

class TvSavedItems : public TvPersistence {
  protected:
    void SetUp() override {
        TvPersistence::SetUp();
        hostsim::SetPictureItems(4, {{5, "PIC_BRIGHT", 10}, {-1, "PIC_NONE", 3}});
        hostsim::SetTunerItems(5, {{1, "TUNER_SOURCE", kDvrSetVideoSource, kDvrGetVideoSource, 1}});
        ui_->Notify(0, nullptr, 0, 0);
        int slot = 2, offset = 0, input = 0;
        char country[] = "USA";
        void* list[] = {&slot, &offset, &input, country};
        ASSERT_EQ(Tv().Engine(kDvrStartTv, list, 4), 0);
        sim_tuner_journal_clear();
    }
    static size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] == line) return i;
        }
        ADD_FAILURE() << "missing " << line;
        return lines.size();
    }
};

TEST_F(TvSavedItems, ItemsAreAppliedAtStartSkippingNegativeIds) {
    ApplyItemsAtStart(Tv());
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetProperty 5 10"), 1);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetProperty -1"), 0);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetVideoInputSource 1"), 1);
}

TEST_F(TvSavedItems, ExitSavesInTheStatedOrder) {
    int bright = 5;
    ASSERT_EQ(Tv().Engine(kDvrSetPicture, &bright, 14), 1);
    Tv().currentChannel = 6;
    Tv().muted = true;
    LoadFavourites(Tv());
    sim_tuner_journal_clear();
    SaveAtExit(Tv());
    const auto journal = SimTunerJournal();
    const size_t picture = IndexOf(journal, "setRegInt PIC_BRIGHT 14");
    const size_t mute = IndexOf(journal, "ZAQ_SetProperty 39 0");
    const size_t tuner = IndexOf(journal, "setRegInt TUNER_SOURCE 0");
    const size_t channel = IndexOf(journal, "setRegInt SolvaneOn_TV_CHANNELNUM 6");
    const size_t country = IndexOf(journal, "setRegStr SolvaneON_TV_CONTRY USA");
    EXPECT_LT(picture, mute);
    EXPECT_LT(mute, tuner);
    EXPECT_LT(tuner, channel);
    EXPECT_LT(channel, country);
    EXPECT_FALSE(Tv().muted);
    EXPECT_EQ(ReadFile(kFavouritesFile), "-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n");
}

}  // namespace
