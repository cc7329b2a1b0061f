// Calls made through our interface declarations reach the slots a host built
// elsewhere has in its tables: each interface is called on a SlotRecorder and
// the slot numbers it records are compared with the ones the host uses.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "interfaces/host_framework.h"
#include "interfaces/media_wrapper.h"
#include "interfaces/tuner_service.h"
#include "tests/abi/vtable_slots.h"

namespace {

using abitest::SlotRecorder;
using Slots = std::vector<int>;

TEST(InterfaceSlots, ControllerBaseHasItsDestructorFirstAndNotifyThird) {
    SlotRecorder recorder;
    CUICTRL* controller = recorder.As<CUICTRL>();
    controller->Notify(2, nullptr, 0, 0);
    delete controller;
    EXPECT_EQ(recorder.Calls(), (Slots{2, 1}));
}

TEST(InterfaceSlots, SetupMenuTakesCommandsFirstAndIsDeletedThroughTheFifth) {
    SlotRecorder recorder;
    CSetupMenuMediator* menu = recorder.As<CSetupMenuMediator>();
    menu->Command(66, nullptr, nullptr, nullptr, nullptr);
    menu->Notify(2, nullptr, 0, 0);
    menu->HostReserved2();
    delete menu;
    EXPECT_EQ(recorder.Calls(), (Slots{0, 1, 2, 4}));
}

TEST(InterfaceSlots, SetupMenuHeldLikeTheControllersHoldItIsDeletedThroughTheFifth) {
    SlotRecorder recorder;
    {
        std::unique_ptr<CSetupMenuMediator> menu(recorder.As<CSetupMenuMediator>());
        menu->Command(81, nullptr, nullptr, nullptr, nullptr);
    }
    EXPECT_EQ(recorder.Calls(), (Slots{0, 4}));
}

TEST(InterfaceSlots, RegistrationListsItsOperationsInOrderAndIsReleasedThroughTheNinth) {
    SlotRecorder recorder;
    CZAQRegistration* registration = recorder.As<CZAQRegistration>();
    std::vector<CZAQPictureItem> pictures;
    std::vector<CZAQTunerItem> tuners;
    registration->FillPictureItems(pictures);
    registration->FillPictureGroupItems(pictures, kItemGroupPictureDefaults);
    registration->FillTunerItems(tuners);
    registration->FillTunerGroupItems(tuners, kItemGroupTunerDefaults);
    registration->InstallCallback(81, nullptr, 0, 0, 0);
    registration->HostReserved5();
    registration->HostReserved6();
    registration->HostReserved7();
    registration->Release();
    EXPECT_EQ(recorder.Calls(), (Slots{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(InterfaceSlots, WrapperHasItsDestructorFirstThenCommandAndSetCallback) {
    SlotRecorder recorder;
    CMEDIA_WRAPPER* wrapper = recorder.As<CMEDIA_WRAPPER>();
    wrapper->Command(30, nullptr, 0, nullptr, 0);
    wrapper->SetCallback(nullptr);
    delete wrapper;
    EXPECT_EQ(recorder.Calls(), (Slots{2, 3, 1}));
}

TEST(InterfaceSlots, DiscEngineAddsNothingBeforeTheWrapperSlots) {
    SlotRecorder recorder;
    CDVD_WRAPPER* disc = recorder.As<CDVD_WRAPPER>();
    disc->Command(1, nullptr, 0, nullptr, 0);
    disc->SetCallback(nullptr);
    EXPECT_EQ(recorder.Calls(), (Slots{2, 3}));
}

TEST(InterfaceSlots, WidgetsUpdateAndFlushAfterTheirDestructor) {
    SlotRecorder recorder;
    CUIWidget* widget = recorder.As<CUIWidget>();
    widget->Update();
    widget->Flush();
    delete widget;
    EXPECT_EQ(recorder.Calls(), (Slots{2, 3, 1}));
    CUIFMPanel* panel = recorder.As<CUIFMPanel>();
    panel->Execute(0, 83, nullptr, 0, 0, 0);
    EXPECT_EQ(recorder.Calls(), (Slots{4}));
}

}  // namespace
