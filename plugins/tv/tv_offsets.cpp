// The fine-tuning offsets file: one six-byte line "%5d\n" per slot, 512 lines,
// read and written in place by other programs too, so the layout never varies.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "plugins/tv/tv_persistence.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

constexpr long kLineBytes = 6;

int Clamp(long value) {
    if (value > kMaxOffset) return kMaxOffset;
    if (value < -kMaxOffset) return -kMaxOffset;
    return static_cast<int>(value);
}

// One line's value; intact is cleared when the line is not a proper "%5d".
int ParseOffset(const std::string& line, bool* intact) {
    const char* text = line.c_str();
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    const bool number = end != text && *end == '\0';
    if (!number || line.size() != kLineBytes - 1 || value != Clamp(value)) *intact = false;
    return number ? Clamp(value) : 0;
}

void WriteWholeFile(const TvController& tv) {
    std::FILE* file = std::fopen(kOffsetsFile, "w");
    if (!file) return;
    for (int offset : tv.frequencyOffsets) std::fprintf(file, "%5d\n", offset);
    std::fclose(file);
}

// True when the file has exactly 512 lines of six bytes.
bool FileIntact() {
    std::FILE* file = std::fopen(kOffsetsFile, "r");
    if (!file) return false;
    const bool sized =
        std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) == kTvSlots * kLineBytes;
    std::fclose(file);
    return sized;
}

}  // namespace

void LoadOffsets(TvController& tv) {
    tv.frequencyOffsets.fill(0);
    std::ifstream file(kOffsetsFile, std::ios::binary);
    if (!file) {
        WriteWholeFile(tv);
        return;
    }
    std::stringstream content;
    content << file.rdbuf();
    const std::string text = content.str();
    bool intact = text.size() == static_cast<size_t>(kTvSlots * kLineBytes);
    std::istringstream lines(text);
    std::string line;
    int slot = 0;
    while (slot < kTvSlots && std::getline(lines, line)) {
        tv.frequencyOffsets[slot++] = ParseOffset(line, &intact);
    }
    if (slot < kTvSlots) intact = false;
    if (!intact) WriteWholeFile(tv);
}

void WriteOffset(const TvController& tv, int slot) {
    if (slot < 0 || slot >= kTvSlots) return;
    if (!FileIntact()) {
        WriteWholeFile(tv);
        return;
    }
    std::FILE* file = std::fopen(kOffsetsFile, "r+");
    if (!file) return;
    if (std::fseek(file, slot * kLineBytes, SEEK_SET) == 0) {
        std::fprintf(file, "%5d\n", Clamp(tv.frequencyOffsets[slot]));
    }
    std::fclose(file);
}
