// The base renderer's answers and the shared property conventions.
#include "video/render/renderer.h"

#include <gtest/gtest.h>

namespace {

// The least a renderer must supply; everything else is the base.
class BareRenderer : public CVRLNRenderer {
  public:
    int GetKind() override { return 1; }
    int Refresh(int32_t, int32_t) override { return 0; }
    int DrawPicture(CVRLNPicture*) override { return 0; }
    int PresentPicture(CVRLNPicture*) override { return 0; }
    int Flip(CVRLNPicture*) override { return 0; }
};

const VRLNPropertySetId kOtherSet = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};

TEST(BaseRenderer, DefaultOperationsSucceedQuietly) {
    BareRenderer r;
    EXPECT_EQ(r.Open(), 0);
    const VRLNRect rect{0, 0, 10, 10};
    EXPECT_EQ(r.SetOutputRect(0, &rect, &rect), 0);
    EXPECT_EQ(r.ClearPicture(), 0);
    EXPECT_EQ(r.Close(), 0);
    EXPECT_EQ(r.Close(), 0);
}

TEST(BaseRenderer, CaptureIsNotSupported) {
    BareRenderer r;
    EXPECT_EQ(r.CapturePicture(nullptr, 24, nullptr), -2);
}

TEST(BaseRenderer, AnswersNoPropertyOfItsSet) {
    BareRenderer r;
    int32_t value = 0;
    uint32_t returned = 0;
    for (uint32_t id : {4u, 5u, 257u, 3867u}) {
        EXPECT_EQ(r.GetProperty(&VideoRendererPropertySet, id, nullptr, 0, &value, 4, &returned),
                  kVrlnFailure);
        EXPECT_EQ(r.SetProperty(&VideoRendererPropertySet, id, nullptr, 0, &value, 4),
                  kVrlnFailure);
    }
}

TEST(BaseRenderer, OtherPropertySetsAreNotFound) {
    BareRenderer r;
    int32_t value = 0;
    EXPECT_EQ(r.GetProperty(&kOtherSet, 257, nullptr, 0, &value, 4, nullptr),
              static_cast<int32_t>(0x80070492u));
    EXPECT_EQ(r.SetProperty(&kOtherSet, 257, nullptr, 0, &value, 4),
              static_cast<int32_t>(0x80070492u));
    EXPECT_EQ(r.GetProperty(nullptr, 257, nullptr, 0, &value, 4, nullptr),
              kVrlnPropertySetNotFound);
}

TEST(PropertySet, IdentifierMatchesItsTextForm) {
    // {7ECC2AC0-EB44-11D4-B365-0001022A4A87}
    const VRLNPropertySetId same = {
        0x7ECC2AC0, 0xEB44, 0x11D4, {0xB3, 0x65, 0x00, 0x01, 0x02, 0x2A, 0x4A, 0x87}};
    EXPECT_TRUE(same == VideoRendererPropertySet);
    EXPECT_FALSE(kOtherSet == VideoRendererPropertySet);
}

TEST(PropertyValue, ReadingChecksPointerThenLength) {
    int32_t out = 0;
    const int32_t value = -17;
    EXPECT_EQ(ReadPropertyValue(nullptr, 4, &out), static_cast<int32_t>(0x80000005u));
    EXPECT_EQ(ReadPropertyValue(&value, 3, &out), static_cast<int32_t>(0x80000003u));
    EXPECT_EQ(ReadPropertyValue(&value, 4, &out), 0);
    EXPECT_EQ(out, -17);
}

TEST(PropertyValue, SizeQueryReportsFourBytes) {
    uint32_t returned = 0;
    EXPECT_EQ(WritePropertyValue(nullptr, 0, &returned, 5), 0);
    EXPECT_EQ(returned, 4u);
}

TEST(PropertyValue, AnsweringChecksBufferThenLength) {
    int32_t buffer = 0;
    uint32_t returned = 0;
    EXPECT_EQ(WritePropertyValue(nullptr, 4, &returned, 5), kVrlnNullPointer);
    EXPECT_EQ(WritePropertyValue(nullptr, 0, nullptr, 5), kVrlnNullPointer);
    EXPECT_EQ(WritePropertyValue(&buffer, 2, &returned, 5), kVrlnBadArgument);
    EXPECT_EQ(WritePropertyValue(&buffer, 4, nullptr, 5), 0);
    EXPECT_EQ(buffer, 5);
    EXPECT_EQ(WritePropertyValue(&buffer, 8, &returned, -3), 0);
    EXPECT_EQ(buffer, -3);
    EXPECT_EQ(returned, 4u);
}

}  // namespace
