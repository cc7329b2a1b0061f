// The shared upgrade notice and setup-menu defaults, seen in the host's journal.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>

#include "interfaces/tuner_service.h"
#include "plugins/common/language_defaults.h"
#include "plugins/common/upgrade_notice.h"
#include "sim/host/host_journal.h"
#include "sim/tuner/sim_tuner.h"

namespace {

class MenuNotices : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/menu_notices_XXXXXX";
        const char* dir = mkdtemp(pattern);
        ASSERT_NE(dir, nullptr);
        setenv("SOLVANE_SETTINGS_DIR", dir, 1);
        sim_settings_reload();
        hostsim::ResetAll();
        SetNoticeDelayMs(1);
        menu_.reset(CZAQTVSetupMenuFactory::TVSetupMenuFactory(nullptr));
    }
    void TearDown() override {
        menu_.reset();
        SetNoticeDelayMs(4000);
        hostsim::ResetAll();
    }
    size_t Lines() const { return hostsim::JournalSnapshot().size(); }

    std::unique_ptr<CSetupMenuMediator> menu_;
};

TEST_F(MenuNotices, TheUpgradeNoticeShowsTheResultClosesAndClearsTheStatus) {
    setRegInt(kKeyUpgradeStatus, 1);
    ShowUpgradeNotice(menu_.get(), 66, nullptr);
    EXPECT_TRUE(hostsim::JournalContains("menu 91 29 0 0 0"));
    EXPECT_EQ(hostsim::JournalCount("menu 66"), 1u);
    EXPECT_EQ(hostsim::JournalCount("painter flip"), 0u);
    EXPECT_EQ(getRegInt(kKeyUpgradeStatus, -1), 0);

    setRegInt(kKeyUpgradeStatus, 2);
    std::unique_ptr<CUIPainter> painter(CUIPainter::GetInstance());
    ShowUpgradeNotice(menu_.get(), 92, painter.get());
    EXPECT_TRUE(hostsim::JournalContains("menu 91 30 0 0 0"));
    EXPECT_EQ(hostsim::JournalCount("menu 92"), 1u);
    EXPECT_EQ(hostsim::JournalCount("painter flip"), 2u);
}

TEST_F(MenuNotices, WithoutAnUpgradeStatusNothingIsShown) {
    const size_t before = Lines();
    ShowUpgradeNotice(menu_.get(), 66, nullptr);
    EXPECT_EQ(hostsim::JournalCount("menu 91"), 0u);
    EXPECT_LE(Lines(), before + 1);  // at most the settings read
}

TEST_F(MenuNotices, ThePreferredLanguageComesBackWithTheMenuTold) {
    hostsim::SetLanguages(2, 5);
    CZAQLangTrans* language = CZAQLangTrans::GetOrCreateObject();
    RestorePreferredLanguage(language, menu_.get(), "OSD_TV");
    EXPECT_TRUE(hostsim::JournalContains("lang set 2"));
    EXPECT_EQ(hostsim::JournalCount("menu 97"), 1u);
    EXPECT_TRUE(hostsim::JournalContains("menu 180 0 0 0 OSD_TV"));
    // Already the preferred one: the menu hears nothing more.
    RestorePreferredLanguage(language, menu_.get(), "OSD_TV");
    EXPECT_EQ(hostsim::JournalCount("menu 97"), 1u);
    RestorePreferredLanguage(nullptr, menu_.get(), "OSD_TV");
    EXPECT_EQ(hostsim::JournalCount("menu 97"), 1u);
    CZAQLangTrans::DestroyObject();
}

TEST_F(MenuNotices, TheSleepTimerIsShownOff) {
    ShowSleepTimerOff(menu_.get(), "OSD_FM");
    EXPECT_TRUE(hostsim::JournalContains("menu 184 0 0 0 OSD_FM"));
    EXPECT_TRUE(hostsim::JournalContains("menu 165 0 0 0 OSD_FM"));
}

}  // namespace
