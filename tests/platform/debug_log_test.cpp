// DebugPrint into an attached performance record, and the meter functions.
#include "platform/debug_log.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/settings.h"
#include "temp_registry.h"

USE_TEMP_REGISTRY();

namespace {

class DebugLog : public ::testing::Test {
  protected:
    void SetUp() override {
        record_ = std::make_unique<PerfRecord>();
        std::memset(record_.get(), 0, sizeof(PerfRecord));
        PerfMeterAttach(record_.get());
    }
    void TearDown() override {
        PerfMeterAttach(nullptr);
        PerfMeterDestroy();
    }
    std::string Ring(int from, int count) const {
        return std::string(record_->logRing + from, count);
    }

    std::unique_ptr<PerfRecord> record_;
};

TEST(DebugLogDetached, PrintWithoutRecordChangesNothing) {
    PerfMeterDestroy();
    DebugPrint("nobody listens %d\n", 1);
    EXPECT_EQ(PerfMeterRecord(), nullptr);
    PerfMeterGet();
    DebugPrint("still nobody\n");
    EXPECT_EQ(PerfMeterRecord(), nullptr);
    EXPECT_EQ(PerfMeterDestroy(), 0);
}

TEST(DebugLogLayout, RecordFieldsSitAtTheirOffsets) {
    EXPECT_EQ(offsetof(PerfRecord, logPosition), 2048u);
    EXPECT_EQ(offsetof(PerfRecord, logRing), 2096u);
}

TEST_F(DebugLog, MessagesFollowOneAnotherWithANulAfterTheNewest) {
    DebugPrint("one %d\n", 1);
    DebugPrint("two\n");
    EXPECT_STREQ(record_->logRing, "one 1\ntwo\n");
    EXPECT_EQ(record_->logPosition, 10u);
}

TEST_F(DebugLog, LongMessagesAreCutTo255Characters) {
    const std::string text(300, 'a');
    DebugPrint("%s", text.c_str());
    EXPECT_EQ(record_->logPosition, 255u);
    EXPECT_EQ(std::strlen(record_->logRing), 255u);
}

TEST_F(DebugLog, RingWrapsAroundItsEnd) {
    record_->logPosition = 1990;
    DebugPrint("%s", "0123456789abcdefghij");
    EXPECT_EQ(Ring(1990, 10), "0123456789");
    EXPECT_EQ(Ring(0, 11), std::string("abcdefghij") + '\0');
    EXPECT_EQ(record_->logPosition, 10u);
}

TEST_F(DebugLog, MessageEndingExactlyAtTheLastCharacterDoesNotWrap) {
    record_->logPosition = 1979;
    DebugPrint("%s", "0123456789abcdefghij");
    EXPECT_EQ(Ring(1979, 21), std::string("0123456789abcdefghij") + '\0');
    EXPECT_EQ(record_->logPosition, 1999u);
}

TEST_F(DebugLog, CountersAndStateCode) {
    record_->pairedCounters[0] = record_->pairedCounters[1] = record_->thirdCounter = 9;
    PerfMeterResetPair();
    EXPECT_EQ(record_->pairedCounters[0], 0u);
    EXPECT_EQ(record_->pairedCounters[1], 0u);
    EXPECT_EQ(record_->thirdCounter, 9u);
    PerfMeterResetThird();
    EXPECT_EQ(record_->thirdCounter, 0u);
    PerfMeterSetState(4);
    EXPECT_EQ(record_->stateCode, 4u);
    EXPECT_EQ(PerfMeterRecord(), record_.get());
    EXPECT_EQ(PerfMeterGet(), record_.get());
}

TEST(PerfMeterCreation, FollowsThePerfmeterSetting) {
    PerfMeterDestroy();
    SettingDeleteValue("PERFMETER");
    EXPECT_EQ(PerfMeterCreateIfEnabled(), -1);
    ASSERT_EQ(SettingSetInt("PERFMETER", 1), 0);
    EXPECT_EQ(PerfMeterCreateIfEnabled(), 0);
    ASSERT_EQ(SettingSetInt("PERFMETER", 0), 0);
    EXPECT_EQ(PerfMeterCreateIfEnabled(), 0);
    EXPECT_EQ(PerfMeterDestroy(), 0);
    EXPECT_EQ(PerfMeterCreateIfEnabled(), -1);
    SettingDeleteValue("PERFMETER");
}

}  // namespace
