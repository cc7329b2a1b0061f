// The fine-tuning offsets file: one six-byte line "%5d\n" per slot, 512 lines,
// read and written by other programs too, so the layout never varies. Every
// change replaces the file whole, so a failing disk never leaves it cut short.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/atomic_file.h"
#include "platform/stored_number.h"
#include "plugins/tv/tv_persistence.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

constexpr size_t kLineBytes = 6;
constexpr size_t kFileBytes = kTvSlots * kLineBytes;
// Far more than an intact file; the rest of a bigger one is never looked at.
constexpr size_t kMostRead = 16 * kFileBytes;

int Clamp(int32_t value) {
    if (value > kMaxOffset) return kMaxOffset;
    if (value < -kMaxOffset) return -kMaxOffset;
    return value;
}

std::string OffsetLine(int offset) {
    char line[16];
    std::snprintf(line, sizeof line, "%5d\n", Clamp(offset));
    return line;
}

// One line's value; intact is cleared when the line is not a proper "%5d".
int ParseOffset(const std::string& line, bool* intact) {
    const char* text = line.c_str();
    char* end = nullptr;
    const int32_t value = ParseStoredInt32(text, &end, 10);
    const bool number = end != text && *end == '\0';
    if (!number || line.size() != kLineBytes - 1 || value != Clamp(value)) *intact = false;
    return number ? Clamp(value) : 0;
}

std::string ReadAtMost(const char* path, size_t limit, bool* found) {
    std::ifstream file(path, std::ios::binary);
    *found = static_cast<bool>(file);
    std::string text(limit, '\0');
    file.read(&text[0], static_cast<std::streamsize>(limit));
    text.resize(static_cast<size_t>(file.gcount()));
    return text;
}

int WriteWholeFile(const TvController& tv) {
    return ReplaceFileContents(kOffsetsFile, OffsetsText(tv.frequencyOffsets));
}

}  // namespace

bool ReadOffsets(const std::string& text, std::array<int, kTvSlots>* offsets) {
    offsets->fill(0);
    bool intact = text.size() == kFileBytes;
    std::istringstream lines(text);
    std::string line;
    int slot = 0;
    while (slot < kTvSlots && std::getline(lines, line)) {
        (*offsets)[slot++] = ParseOffset(line, &intact);
    }
    return intact && slot == kTvSlots;
}

std::string OffsetsText(const std::array<int, kTvSlots>& offsets) {
    std::string text;
    text.reserve(kFileBytes);
    for (int offset : offsets) text += OffsetLine(offset);
    return text;
}

void LoadOffsets(TvController& tv) {
    bool found = false;
    const std::string text = ReadAtMost(kOffsetsFile, kMostRead, &found);
    if (!found) {
        tv.frequencyOffsets.fill(0);
        WriteWholeFile(tv);
        return;
    }
    // A damaged file is rewritten in the six-byte layout so later updates land
    // on their line.
    if (!ReadOffsets(text, &tv.frequencyOffsets)) WriteWholeFile(tv);
}

int WriteOffset(const TvController& tv, int slot) {
    if (slot < 0 || slot >= kTvSlots) return 0;
    bool found = false;
    std::string text = ReadAtMost(kOffsetsFile, kFileBytes + 1, &found);
    // Only this slot's line changes; a file not in the layout is rewritten whole.
    if (!found || text.size() != kFileBytes) return WriteWholeFile(tv);
    text.replace(static_cast<size_t>(slot) * kLineBytes, kLineBytes,
                 OffsetLine(tv.frequencyOffsets[slot]));
    return ReplaceFileContents(kOffsetsFile, text);
}
