// Tick count, broken-down times and the date and time texts.
#include "platform/linux_time.h"

#include <sys/time.h>

#include <cstdio>
#include <ctime>

namespace {

void Fill(const std::tm& parts, long microseconds, LinuxSystemTime* time) {
    time->year = static_cast<uint16_t>(parts.tm_year + 1900);
    time->month = static_cast<uint16_t>(parts.tm_mon + 1);
    time->dayOfWeek = static_cast<uint16_t>(parts.tm_wday);
    time->day = static_cast<uint16_t>(parts.tm_mday);
    time->hour = static_cast<uint16_t>(parts.tm_hour);
    time->minute = static_cast<uint16_t>(parts.tm_min);
    time->second = static_cast<uint16_t>(parts.tm_sec);
    time->milliseconds = static_cast<uint16_t>(microseconds / 1000);
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return parts;
}

// Formatted into room for any int, then cut to the eight characters and NUL.
char* CopyText(char* buffer, const char* text) {
    std::snprintf(buffer, 9, "%.8s", text);
    return buffer;
}

}  // namespace

uint32_t LinuxGetTickCount() {
    timeval now{};
    if (gettimeofday(&now, nullptr) != 0) return 0;
    return static_cast<uint32_t>(now.tv_sec) * 1000u + static_cast<uint32_t>(now.tv_usec / 1000);
}

void LinuxGetLocalTime(LinuxSystemTime* time) {
    timeval now{};
    gettimeofday(&now, nullptr);
    std::tm parts{};
    localtime_r(&now.tv_sec, &parts);
    Fill(parts, now.tv_usec, time);
}

void LinuxGetSystemTime(LinuxSystemTime* time) {
    timeval now{};
    gettimeofday(&now, nullptr);
    std::tm parts{};
    gmtime_r(&now.tv_sec, &parts);
    Fill(parts, now.tv_usec, time);
}

char* LinuxStrDate(char* buffer) {
    const std::tm parts = LocalNow();
    char text[40];
    std::snprintf(text, sizeof(text), "%02d/%02d/%02d", parts.tm_mon + 1, parts.tm_mday,
                  parts.tm_year % 100);
    return CopyText(buffer, text);
}

char* LinuxStrTime(char* buffer) {
    const std::tm parts = LocalNow();
    char text[40];
    std::snprintf(text, sizeof(text), "%02d:%02d:%02d", parts.tm_hour, parts.tm_min, parts.tm_sec);
    return CopyText(buffer, text);
}
