// The settings functions of the player library (getRegInt, setRegInt, getRegStr,
// setRegStr) and their test control, over the settings store.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "interfaces/tuner_service.h"
#include "sim/tuner/ravelo/settings_store.h"
#include "sim/tuner/sim_tuner.h"
#include "sim/tuner/tonvex/journal.h"

using ravelo::SettingsStore;
using tonvex::JoinArgs;

static_assert(SettingsStore::kMaxValueLength + 1 == ZAQ_SETTING_MAX_LENGTH,
              "the store keeps what getRegStr may hand out");

namespace {

std::string KeyText(const char* key) {
    return key ? key : "";
}

}  // namespace

extern "C" {

ZAQ_EXPORT int getRegInt(const char* key, int defaultValue) {
    int fault;
    if (tonvex::JournalCall("getRegInt", JoinArgs(key, defaultValue), &fault)) return fault;
    std::string text;
    if (!key || !SettingsStore::Instance().Get(key, &text)) return defaultValue;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || errno == ERANGE || value < INT_MIN ||
        value > INT_MAX)
        return defaultValue;
    return static_cast<int>(value);
}

ZAQ_EXPORT int setRegInt(const char* key, int value) {
    int fault;
    if (tonvex::JournalCall("setRegInt", JoinArgs(key, value), &fault)) return fault;
    if (!key) return -1;
    return SettingsStore::Instance().Set(key, std::to_string(value)) ? 0 : -1;
}

ZAQ_EXPORT int getRegStr(const char* key, char* buffer) {
    int fault;
    if (tonvex::JournalCall("getRegStr", JoinArgs(key), &fault)) return fault;
    std::string text;
    if (!key || !buffer || !SettingsStore::Instance().Get(key, &text)) return -1;
    const size_t n = std::min(text.size(), static_cast<size_t>(ZAQ_SETTING_MAX_LENGTH - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return 0;
}

ZAQ_EXPORT int setRegStr(const char* key, const char* text) {
    int fault;
    if (tonvex::JournalCall("setRegStr", JoinArgs(KeyText(key), text), &fault)) return fault;
    if (!key || !text) return -1;
    return SettingsStore::Instance().Set(key, text) ? 0 : -1;
}

int sim_settings_path(char* buffer, int size) {
    const std::string path = SettingsStore::Instance().Path();
    if (buffer && size > 0) {
        const size_t n = std::min(path.size(), static_cast<size_t>(size - 1));
        std::memcpy(buffer, path.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<int>(path.size() + 1);
}

void sim_settings_reload(void) {
    SettingsStore::Instance().Reload();
}

}  // extern "C"
