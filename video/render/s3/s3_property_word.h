// The S3 library's one property word for brightness and contrast: bits 0 ... 7
// the brightness level, bits 8 ... 12 the contrast level, bit 15 "levels
// apply". The word is unsigned: read as signed, a word with bit 31 set would
// give negative levels (contrast +32 would read back -32 instead of +30).
#pragma once

#include <cstdint>

// Words written when the library's word still reads 0.
constexpr uint32_t kS3BrightnessBaseWord = 0x80089000;
constexpr uint32_t kS3ContrastBaseWord = 0x80088080;

// The word to write for brightness -32 ... +32 (level value x 4 + 128,
// clamped to 0 ... 255) over the word p read from the library.
uint32_t S3BrightnessWord(uint32_t p, int32_t value);
// The same for contrast: level (value x 32 + 1024) / 64, truncated toward
// zero and clamped to 0 ... 31, into bits 8 ... 14.
uint32_t S3ContrastWord(uint32_t p, int32_t value);
// What the word reads back as: brightness ((p / 4) mod 64, or 32 for a word
// of 0) - 32; contrast ((p / 256) mod 32, or 16 for 0) x 2 - 32.
int32_t S3BrightnessValue(uint32_t p);
int32_t S3ContrastValue(uint32_t p);
