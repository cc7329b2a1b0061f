// Base behaviour of CVRLNRenderer and the shared property helpers.
#include "video/render/renderer.h"

#include <cstring>

const VRLNPropertySetId VideoRendererPropertySet = {
    0x7ECC2AC0, 0xEB44, 0x11D4, {0xB3, 0x65, 0x00, 0x01, 0x02, 0x2A, 0x4A, 0x87}};

bool operator==(const VRLNPropertySetId& a, const VRLNPropertySetId& b) {
    return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
           std::memcmp(a.data4, b.data4, sizeof a.data4) == 0;
}

int32_t ReadPropertyValue(const void* value, uint32_t length, int32_t* out) {
    if (value == nullptr) return kVrlnNullPointer;
    if (length < 4) return kVrlnBadArgument;
    std::memcpy(out, value, 4);
    return 0;
}

int32_t WritePropertyValue(void* buffer, uint32_t length, uint32_t* returned, int32_t value) {
    if (buffer == nullptr && length == 0 && returned != nullptr) {
        *returned = 4;
        return 0;
    }
    if (buffer == nullptr) return kVrlnNullPointer;
    if (length < 4) return kVrlnBadArgument;
    std::memcpy(buffer, &value, 4);
    if (returned != nullptr) *returned = 4;
    return 0;
}

CVRLNRenderer::~CVRLNRenderer() = default;

int CVRLNRenderer::Open() {
    return 0;
}

int CVRLNRenderer::Close() {
    return 0;
}

int CVRLNRenderer::UpdateSourceWindow(CVRLNPicture*) {
    return 0;
}

int CVRLNRenderer::SetOutputRect(uintptr_t, const VRLNRect*, const VRLNRect*) {
    return 0;
}

int CVRLNRenderer::ClearPicture() {
    return 0;
}

int CVRLNRenderer::CapturePicture(CVRLNPicture*, int, uint8_t*) {
    return kVrlnCaptureUnsupported;
}

// The base answers no id of the set; a null set pointer is no set at all.
int32_t CVRLNRenderer::GetProperty(const VRLNPropertySetId* set, uint32_t, const void*, uint32_t,
                                   void*, uint32_t, uint32_t*) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    return kVrlnFailure;
}

int32_t CVRLNRenderer::SetProperty(const VRLNPropertySetId* set, uint32_t, const void*, uint32_t,
                                   const void*, uint32_t) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    return kVrlnFailure;
}
