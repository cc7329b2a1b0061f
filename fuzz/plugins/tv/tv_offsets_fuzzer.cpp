// The fine-tuning offsets file: whatever it holds, every offset stays within
// +-2000, and the file written from them is intact and reads back the same.
#include "fuzz/support/fuzz_input.h"
#include "plugins/tv/tv_persistence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::array<int, kTvSlots> offsets{};
    ReadOffsets(FuzzText(data, size), &offsets);
    for (int offset : offsets) FUZZ_CHECK(offset >= -kMaxOffset && offset <= kMaxOffset);
    const std::string text = OffsetsText(offsets);
    FUZZ_CHECK(text.size() == size_t(kTvSlots) * 6);
    std::array<int, kTvSlots> again{};
    FUZZ_CHECK(ReadOffsets(text, &again));
    FUZZ_CHECK(again == offsets);
    return 0;
}
