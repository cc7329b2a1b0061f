// Tuning from the keys: starting the radio, typed frequencies, steps and seeks.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plugins/fm/fm_commands.h"
#include "plugins/fm/fm_controller.h"
#include "plugins/fm/fm_menu_commands.h"
#include "plugins/fm/fm_settings_keys.h"

namespace sonidra {
namespace {

constexpr int kEntryDigits = 4;

bool AllDigits(const char* key, int length) {
    for (int i = 0; i < length; ++i)
        if (!std::isdigit(static_cast<unsigned char>(key[i]))) return false;
    return true;
}

void* Number(int value) {
    return reinterpret_cast<void*>(static_cast<intptr_t>(value));
}

}  // namespace

int FmController::StartRadio() {
    currentChannel = getRegInt(kKeyFmChannel, 0);
    // A stored channel outside the band (another country's, or junk) starts at its
    // bottom; channels on the 0.1 MHz grid are even.
    if (!band.Contains(currentChannel)) currentChannel = 0;
    if (currentChannel % 2 != 0) currentChannel = currentChannel > 0 ? currentChannel - 1 : 0;
    if (Engine(kFmStartRadio, &currentChannel) != 0) {
        NotifyHost(kFmHostStartFailed);
        return 1;
    }
    tunerOn = true;
    ShowFrequency(currentChannel, 0);
    Engine(kFmSetAudioInput, Number(getRegInt(kKeyAudioInput, 1)));
    int volume = getRegInt(kKeyFmVolume, 10);
    Engine(kFmSetVolume, &volume);
    Osd(kOsdVolume, &volume);
    Panel(kPanelVolume, volume, 0);
    Flip();
    return 0;
}

void FmController::TypedDigits(const char* key, int length) {
    // Up to three digits are shown as the whole megahertz typed so far.
    if (length >= kEntryDigits || !AllDigits(key, length)) return;
    std::string digits(key, static_cast<size_t>(length));
    std::string text = digits + ".";
    Osd(kOsdFrequency, &text[0]);
    Flip();
    Panel(kPanelFrequency, std::atoi(digits.c_str()) * 1000000, 0);
}

void FmController::TypedEntry(const char* key, int length) {
    // Only a four-digit entry reads as a frequency; anything else would be read past
    // its end, so it just shows the current frequency again.
    if (length == kEntryDigits && AllDigits(key, length)) {
        const std::string text = std::string(key, 3) + "." + key[3];
        const int channel = band.ChannelOf(std::strtod(text.c_str(), nullptr));
        if (Engine(kFmSelectChannel, Number(channel)) == 0) currentChannel = channel;
        if (tuningMode != kModeManual) {
            tuningMode = kModeManual;
            ClearFavouriteNumber();
        }
    }
    ShowFrequency(currentChannel, 0);
}

void FmController::Step(bool up) {
    if (tuningMode != kModeManual) {
        tuningMode = kModeManual;
        ClearFavouriteNumber();
    }
    Engine(up ? kFmNextChannel : kFmPreviousChannel, Number(currentChannel), &currentChannel);
    Engine(kFmSelectChannel, Number(currentChannel));
    ShowFrequency(currentChannel, 0);
}

void FmController::Seek(bool up) {
    // Notify only sees busy once this thread has handled a seek key, so a second
    // key sent right after the first is queued too: it is dropped here.
    if (busy.load()) return;
    if (tuningMode != kModeSeek) {
        tuningMode = kModeSeek;
        ClearFavouriteNumber();
    }
    const int threshold = 35 - 7 * sensitivity;
    busy.store(true);
    Engine(up ? kFmSeekUp : kFmSeekDown, Number(threshold), &currentChannel);
}

}  // namespace sonidra
