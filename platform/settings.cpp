// Named settings of the product key; the registry behind them comes next.
#include "platform/settings.h"

#include <cstring>

int SettingGetInt(const char*, int def) {
    return def;
}
int SettingSetInt(const char*, int) {
    return -1;
}
int SettingGetString(const char*, char* buffer, int size, const char* def) {
    if (buffer == nullptr || size <= 0) return -1;
    buffer[0] = '\0';
    if (def != nullptr) {
        std::strncpy(buffer, def, static_cast<size_t>(size));
        buffer[size - 1] = '\0';
    }
    return -1;
}
int SettingSetString(const char*, const char*, int) {
    return -1;
}
float SettingGetFloat(const char*, float def) {
    return def;
}
int SettingDeleteValue(const char*) {
    return -1;
}
