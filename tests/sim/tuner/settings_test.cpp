// The settings store behind getRegInt, setRegInt, getRegStr and setRegStr: values survive a
// restart, strings keep the documented maximum length, writes are atomic and safe from
// several threads and processes.
#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/sim/tuner/tuner_test_support.h"
#include "tests/support/file_size_limit.h"

namespace {

class Settings : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/sim-settings-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        setenv("SOLVANE_SETTINGS_DIR", dir_.c_str(), 1);
        sim_settings_reload();
    }
    void TearDown() override {
        unsetenv("SOLVANE_SETTINGS_DIR");
        std::system(("rm -rf '" + dir_ + "'").c_str());
    }

    std::string FileText() const {
        std::ifstream file(dir_ + "/settings.ini");
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        if (DIR* d = opendir(dir_.c_str())) {
            while (dirent* e = readdir(d))
                if (e->d_name[0] != '.') names.push_back(e->d_name);
            closedir(d);
        }
        return names;
    }

    std::string dir_;
};

TEST_F(Settings, MissingIntegerGivesTheDefault) {
    EXPECT_EQ(getRegInt("SolvaneON_TV_VOLUME", 7), 7);
}

TEST_F(Settings, IntegerRoundTrip) {
    ASSERT_EQ(setRegInt("SolvaneON_TV_VOLUME", 16), 0);
    EXPECT_EQ(getRegInt("SolvaneON_TV_VOLUME", 0), 16);
    ASSERT_EQ(setRegInt("SolvaneOn_TV_CHANNELNUM", -3), 0);
    EXPECT_EQ(getRegInt("SolvaneOn_TV_CHANNELNUM", 0), -3);
}

TEST_F(Settings, TextThatIsNoNumberGivesTheDefault) {
    ASSERT_EQ(setRegStr("SolvaneON_TV_VOLUME", "loud"), 0);
    EXPECT_EQ(getRegInt("SolvaneON_TV_VOLUME", 5), 5);
}

TEST_F(Settings, MissingStringIsReportedAndTheBufferLeftAlone) {
    char buffer[ZAQ_SETTING_MAX_LENGTH] = "untouched";
    EXPECT_NE(getRegStr("SolvaneON_TV_CONTRY", buffer), 0);
    EXPECT_STREQ(buffer, "untouched");
}

TEST_F(Settings, StringRoundTrip) {
    ASSERT_EQ(setRegStr("SolvaneON_TV_CONTRY", "Japan"), 0);
    char buffer[ZAQ_SETTING_MAX_LENGTH] = "";
    ASSERT_EQ(getRegStr("SolvaneON_TV_CONTRY", buffer), 0);
    EXPECT_STREQ(buffer, "Japan");
    ASSERT_EQ(setRegStr("SolvaneON_FM_FAVORITE_CHANNELS", ""), 0);
    ASSERT_EQ(getRegStr("SolvaneON_FM_FAVORITE_CHANNELS", buffer), 0) << "an empty value exists";
    EXPECT_STREQ(buffer, "");
}

TEST_F(Settings, ValuesSurviveARestart) {
    ASSERT_EQ(setRegInt("SolvaneON_TV_VOLUME", 12), 0);
    ASSERT_EQ(setRegStr("ZAQTVCHANNELLIST", "0101"), 0);
    EXPECT_NE(FileText().find("SolvaneON_TV_VOLUME=12\n"), std::string::npos);
    EXPECT_NE(FileText().find("ZAQTVCHANNELLIST=0101\n"), std::string::npos);
    sim_settings_reload();
    EXPECT_EQ(getRegInt("SolvaneON_TV_VOLUME", 0), 12);
    char buffer[ZAQ_SETTING_MAX_LENGTH];
    ASSERT_EQ(getRegStr("ZAQTVCHANNELLIST", buffer), 0);
    EXPECT_STREQ(buffer, "0101");
}

TEST_F(Settings, FileWrittenElsewhereIsRead) {
    std::ofstream(dir_ + "/settings.ini") << "# written by hand\nSolvaneON_RESOLUTION=3\n";
    EXPECT_EQ(getRegInt("SolvaneON_RESOLUTION", 0), 3);
}

TEST_F(Settings, FullChannelListFits) {
    const std::string list(512, '1');
    ASSERT_EQ(setRegStr("ZAQTVCHANNELLIST", list.c_str()), 0);
    char buffer[ZAQ_SETTING_MAX_LENGTH];
    ASSERT_EQ(getRegStr("ZAQTVCHANNELLIST", buffer), 0);
    EXPECT_EQ(std::string(buffer), list);
}

TEST_F(Settings, LongerStringIsCutAndNeverOverrunsTheBuffer) {
    const std::string longText(2000, 'x');
    ASSERT_EQ(setRegStr("SolvaneON_TV_CONTRY", longText.c_str()), 0);
    std::vector<char> buffer(ZAQ_SETTING_MAX_LENGTH + 64, '#');
    ASSERT_EQ(getRegStr("SolvaneON_TV_CONTRY", buffer.data()), 0);
    EXPECT_EQ(std::strlen(buffer.data()), ZAQ_SETTING_MAX_LENGTH - 1u);
    for (size_t i = ZAQ_SETTING_MAX_LENGTH; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], '#');
}

TEST_F(Settings, OverlongLineInTheFileIsCutOnReading) {
    std::ofstream(dir_ + "/settings.ini")
        << "SolvaneON_TV_CONTRY=" << std::string(5000, 'y') << "\n";
    std::vector<char> buffer(ZAQ_SETTING_MAX_LENGTH + 64, '#');
    ASSERT_EQ(getRegStr("SolvaneON_TV_CONTRY", buffer.data()), 0);
    EXPECT_EQ(std::strlen(buffer.data()), ZAQ_SETTING_MAX_LENGTH - 1u);
    EXPECT_EQ(buffer[ZAQ_SETTING_MAX_LENGTH], '#');
}

TEST_F(Settings, UnusableKeysAndValuesAreRefused) {
    EXPECT_NE(setRegStr("", "x"), 0);
    EXPECT_NE(setRegStr("A=B", "x"), 0);
    EXPECT_NE(setRegStr("#A", "x"), 0);
    EXPECT_NE(setRegStr("A", "two\nlines"), 0);
    EXPECT_NE(setRegStr(nullptr, "x"), 0);
    EXPECT_NE(setRegStr("A", nullptr), 0);
    EXPECT_NE(getRegStr("A", nullptr), 0);
    EXPECT_EQ(getRegInt(nullptr, 9), 9);
}

TEST_F(Settings, KeysLongerThanTheStoreKeepsAreRefused) {
    const std::string longest(256, 'k');
    const std::string huge(100000, 'k');
    EXPECT_EQ(setRegStr(longest.c_str(), "kept"), 0);
    EXPECT_NE(setRegStr(huge.c_str(), "x"), 0);
    EXPECT_NE(setRegInt(huge.c_str(), 5), 0);
    EXPECT_NE(setRegStr((longest + "k").c_str(), "x"), 0);
    char buffer[ZAQ_SETTING_MAX_LENGTH] = "untouched";
    EXPECT_NE(getRegStr(huge.c_str(), buffer), 0);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(getRegInt(huge.c_str(), 9), 9);
    EXPECT_LT(FileText().size(), 400u);
    EXPECT_EQ(getRegStr(longest.c_str(), buffer), 0);
    EXPECT_STREQ(buffer, "kept");
}

TEST_F(Settings, HandWrittenLinesWithOverlongKeysAreSkipped) {
    std::ofstream(dir_ + "/settings.ini") << std::string(300, 'k') << "=1\nA=2\n";
    sim_settings_reload();
    EXPECT_EQ(getRegInt(std::string(300, 'k').c_str(), -1), -1);
    EXPECT_EQ(getRegInt("A", -1), 2);
}

TEST_F(Settings, StoredSettingsSurviveADiskThatFillsUpDuringAWrite) {
    ASSERT_EQ(setRegStr("A", "kept"), 0);
    const std::string before = FileText();
    {
        FileSizeLimit disk(before.size() + 4);
        ASSERT_TRUE(disk.Active());
        EXPECT_NE(setRegStr("B", std::string(400, 'b').c_str()), 0);
    }
    EXPECT_EQ(FileText(), before);
    char buffer[ZAQ_SETTING_MAX_LENGTH] = "";
    EXPECT_EQ(getRegStr("A", buffer), 0);
    EXPECT_STREQ(buffer, "kept");
    EXPECT_NE(getRegStr("B", buffer), 0);
}

TEST_F(Settings, WritesLeaveNoTemporaryFiles) {
    for (int i = 0; i < 20; ++i) ASSERT_EQ(setRegInt("Counter", i), 0);
    std::vector<std::string> names = FolderEntries();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"settings.ini", "settings.lock"}));
}

TEST_F(Settings, ConcurrentWritersLoseNothing) {
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([t] {
            for (int i = 0; i < 25; ++i)
                setRegInt(("Key" + std::to_string(t) + "_" + std::to_string(i)).c_str(), i);
        });
    for (auto& w : writers) w.join();
    sim_settings_reload();
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 25; ++i)
            EXPECT_EQ(getRegInt(("Key" + std::to_string(t) + "_" + std::to_string(i)).c_str(), -1),
                      i);
}

TEST_F(Settings, WritesOfAnotherProcessAreKept) {
    ASSERT_EQ(setRegInt("Parent", 1), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(setRegInt("Child", 2) == 0 ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(setRegInt("Parent2", 3), 0);
    EXPECT_EQ(getRegInt("Child", 0), 2);
    EXPECT_EQ(getRegInt("Parent", 0), 1);
    EXPECT_EQ(getRegInt("Parent2", 0), 3);
}

TEST_F(Settings, DefaultFolderIsDotSolvaneInHome) {
    unsetenv("SOLVANE_SETTINGS_DIR");
    const char* home = std::getenv("HOME");
    const std::string saved = home ? home : "";
    setenv("HOME", dir_.c_str(), 1);
    char path[512];
    sim_settings_path(path, sizeof path);
    EXPECT_EQ(std::string(path), dir_ + "/.solvane/settings.ini");
    ASSERT_EQ(setRegInt("InHome", 4), 0);
    EXPECT_EQ(getRegInt("InHome", 0), 4);
    setenv("HOME", saved.c_str(), 1);
}

}  // namespace
