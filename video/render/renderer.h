// The abstract renderer every display path derives from, the rectangles and
// result codes renderers share, and the property-set conventions they answer.
#pragma once

#include <cstdint>

struct CVRLNPicture;

// Result codes of renderer operations; the high bit marks a failure.
constexpr int32_t kVrlnNotImplemented = static_cast<int32_t>(0x80000001u);
constexpr int32_t kVrlnBadArgument = static_cast<int32_t>(0x80000003u);
constexpr int32_t kVrlnNullPointer = static_cast<int32_t>(0x80000005u);
constexpr int32_t kVrlnFailure = static_cast<int32_t>(0x80000008u);
constexpr int32_t kVrlnPropertyNotFound = static_cast<int32_t>(0x80070490u);
constexpr int32_t kVrlnPropertySetNotFound = static_cast<int32_t>(0x80070492u);
constexpr int32_t kVrlnCaptureUnsupported = -2;

// Left, top, right, bottom. Screen rectangles are in pixels; source rectangles
// run 0 ... 10000 across and down the frame.
struct VRLNRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// A 16-byte property-set identifier in the usual GUID layout.
struct VRLNPropertySetId {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

bool operator==(const VRLNPropertySetId& a, const VRLNPropertySetId& b);

// {7ECC2AC0-EB44-11D4-B365-0001022A4A87}: the one set every renderer answers.
extern const VRLNPropertySetId VideoRendererPropertySet;

// Ids of VideoRendererPropertySet.
enum VideoRendererPropertyId : uint32_t {
    kPropReserved = 4,
    kPropColourKey = 5,
    kPropBrightness = 257,
    kPropContrast = 258,
    kPropHue = 259,
    kPropSaturation = 260,
    kPropSharpness = 263,
    kPropDisplayOutput = 3855,
    kPropRestoreDisplay = 3856,
    kPropSuspendVideo = 3857,
    kPropResumeVideo = 3858,
    kPropResetColours = 3867,
};

// Reads the 4-byte value of a set call: 0, kVrlnNullPointer or kVrlnBadArgument.
int32_t ReadPropertyValue(const void* value, uint32_t length, int32_t* out);

// Answers a get call with a 4-byte value, including the size query (null
// buffer, zero length, returned-length pointer given).
int32_t WritePropertyValue(void* buffer, uint32_t length, uint32_t* returned, int32_t value);

// Every renderer is driven through this interface. Direct play calls the
// frame path (DrawPicture, Flip, PresentPicture) on the tuner service's capture
// thread and everything else on the caller's thread; the base class holds no
// lock, so a renderer that needs one takes its own. The caller owns pictures;
// a renderer keeps no pointer to one beyond the call. Releasing a renderer is
// Close, then delete. No operation throws.
class CVRLNRenderer {
  public:
    CVRLNRenderer() = default;
    CVRLNRenderer(const CVRLNRenderer&) = delete;
    CVRLNRenderer& operator=(const CVRLNRenderer&) = delete;
    virtual ~CVRLNRenderer();

    // 1 for every renderer but the CLE266 one.
    virtual int GetKind() = 0;
    // 0 or positive on success; on failure the caller calls Close and deletes.
    virtual int Open();
    // Releases what Open acquired; safe after a failed or partial Open.
    virtual int Close();
    // The part of the picture the overlay shows (pan and scan). Base: 0; the
    // SiS renderer sends its source window.
    virtual int UpdateSourceWindow(CVRLNPicture* picture);
    virtual int SetOutputRect(uintptr_t window, const VRLNRect* destination,
                              const VRLNRect* source);
    virtual int ClearPicture();
    // Shows the current picture again with the current geometry.
    virtual int Refresh(int32_t a, int32_t b) = 0;
    // Notes the picture size, re-creating surfaces when it changed.
    virtual int DrawPicture(CVRLNPicture* picture) = 0;
    virtual int PresentPicture(CVRLNPicture* picture) = 0;
    // Converts the picture into the visible surface and shows it.
    virtual int Flip(CVRLNPicture* picture) = 0;
    // Base: kVrlnCaptureUnsupported.
    virtual int CapturePicture(CVRLNPicture* picture, int bitCount, uint8_t* bitmap);
    virtual int32_t GetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                                uint32_t instanceLength, void* value, uint32_t length,
                                uint32_t* returned);
    virtual int32_t SetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                                uint32_t instanceLength, const void* value, uint32_t length);
};
