// The host stand-in answers each slot of its tables as the host does: a plug-in
// built elsewhere calls the menu, the registration and the widgets by position,
// so these tests call entries of the real objects' tables directly.
#include <gtest/gtest.h>

#include <vector>

#include "interfaces/host_framework.h"
#include "sim/host/host_journal.h"
#include "tests/abi/vtable_slots.h"

namespace {

using abitest::CallSlot;

int gMenuEvents = 0;
int CountEvent(int, const char*, unsigned, int) {
    ++gMenuEvents;
    return 0;
}

class HostSlots : public ::testing::Test {
  protected:
    void SetUp() override { hostsim::ResetAll(); }
};

TEST_F(HostSlots, SetupMenuCommandSitsInTheFirstSlotAndDeletionInTheFifth) {
    CSetupMenuMediator* menu = CZAQTVSetupMenuFactory::TVSetupMenuFactory(nullptr);
    ASSERT_NE(menu, nullptr);
    const char* osd = "OSD_TV";
    EXPECT_EQ((CallSlot<int, unsigned, const void*, const void*, const void*, const void*>(
                  menu, 0, 171u, nullptr, nullptr, nullptr, osd)),
              0);
    EXPECT_TRUE(hostsim::JournalContains("menu 171 0 0 0 OSD_TV"));
    EXPECT_EQ((CallSlot<int, unsigned, char*, unsigned, int>(menu, 1, 2u, nullptr, 1u, 1)), 0);
    EXPECT_TRUE(hostsim::JournalContains("menu-notify 2 1 1"));
    EXPECT_EQ((CallSlot<int>(menu, 2)), 0);
    EXPECT_TRUE(hostsim::JournalContains("menu reserved-2"));
    EXPECT_EQ(hostsim::JournalCount("menu-destroy"), 0u);
    CallSlot<void>(menu, 4);
    EXPECT_TRUE(hostsim::JournalContains("menu-destroy TV"));
}

TEST_F(HostSlots, SetupMenuTakesItsCallbackThroughTheFirstSlot) {
    CSetupMenuMediator* menu = CZAQFMSetupMenuFactory::FMSetupMenuFactory(nullptr);
    ASSERT_NE(menu, nullptr);
    CallSlot<int, unsigned, const void*, const void*, const void*, const void*>(
        menu, 0, 81u, MenuCallbackWord(&CountEvent), nullptr, nullptr, nullptr);
    gMenuEvents = 0;
    EXPECT_EQ(hostsim::MenuSendEvent(3, nullptr, 0, 60), 0);
    EXPECT_EQ(gMenuEvents, 1);
    CallSlot<void>(menu, 4);
    EXPECT_TRUE(hostsim::JournalContains("menu-destroy FM"));
    EXPECT_EQ(hostsim::MenuSendEvent(3, nullptr, 0, 60), -1) << "the menu is gone";
}

TEST_F(HostSlots, RegistrationSlotsRunTheirOperationsInDeclaredOrderAndTheNinthReleases) {
    CZAQRegistration* registration = CZAQRegisterFactory::RegisterFactory(kMediaTv);
    ASSERT_NE(registration, nullptr);
    hostsim::SetPictureItems(kItemGroupPictureDefaults, {{17, "SolvaneON_TV_BRIGHTNESS", 5}});
    std::vector<CZAQPictureItem> pictures;
    std::vector<CZAQTunerItem> tuners;
    const int all = CallSlot<int, std::vector<CZAQPictureItem>*>(registration, 0, &pictures);
    EXPECT_EQ(all, static_cast<int>(pictures.size()));
    EXPECT_EQ(hostsim::JournalCount("registration fill-picture "), 1u);
    EXPECT_EQ((CallSlot<int, std::vector<CZAQPictureItem>*, int>(registration, 1, &pictures,
                                                                 kItemGroupPictureDefaults)),
              1);
    EXPECT_TRUE(hostsim::JournalContains("registration fill-picture-group 2 1"));
    CallSlot<int, std::vector<CZAQTunerItem>*>(registration, 2, &tuners);
    EXPECT_EQ(hostsim::JournalCount("registration fill-tuner "), 1u);
    CallSlot<int, std::vector<CZAQTunerItem>*, int>(registration, 3, &tuners,
                                                    kItemGroupTunerDefaults);
    EXPECT_EQ(hostsim::JournalCount("registration fill-tuner-group 5"), 1u);
    EXPECT_EQ((CallSlot<int, int, MediaEventCallback, int, int, int>(registration, 4, 81,
                                                                     &CountEvent, 0, 0, 0)),
              0);
    gMenuEvents = 0;
    EXPECT_EQ(hostsim::RegistrationSendEvent(15, nullptr, 0, 64), 0);
    EXPECT_EQ(gMenuEvents, 1);
    for (int slot = 5; slot <= 7; ++slot) {
        EXPECT_EQ(CallSlot<int>(registration, slot), 0);
        EXPECT_TRUE(hostsim::JournalContains("registration reserved-" + std::to_string(slot)));
    }
    EXPECT_EQ(hostsim::JournalCount("registration release"), 0u);
    CallSlot<void>(registration, 8);
    EXPECT_TRUE(hostsim::JournalContains("registration release"));
    EXPECT_EQ(hostsim::RegistrationSendEvent(15, nullptr, 0, 64), -1) << "released";
}

TEST_F(HostSlots, WidgetSlotsUpdateFlushExecuteAndDelete) {
    auto* panel = new CUIFMPanel(nullptr, 1, "panel.bmp", 0, 0, 100, 50, "FM Panel", 1, true);
    CallSlot<void>(panel, 2);
    EXPECT_TRUE(hostsim::JournalContains("widget-update FM Panel"));
    CallSlot<void>(panel, 3);
    EXPECT_TRUE(hostsim::JournalContains("widget-flush FM Panel"));
    const char* frequency = "101.50";
    EXPECT_EQ((CallSlot<int, int, int, void*, int, int, int>(
                  panel, 4, 0, 38, const_cast<char*>(frequency), 0, 0, 0)),
              0);
    EXPECT_TRUE(hostsim::JournalContains("fmpanel 38 101.50"));
    CallSlot<void>(panel, 1);
    EXPECT_TRUE(hostsim::JournalContains("widget-delete FM Panel"));
}

}  // namespace
