// Clock readings and date and time texts of the layer.
#pragma once

#include <cstdint>

// Wall-clock milliseconds in 32 bits (wraps); 0 if the clock cannot be read.
uint32_t LinuxGetTickCount();

// A broken-down date and time.
struct LinuxSystemTime {
    uint16_t year;
    uint16_t month;      // 1 to 12
    uint16_t dayOfWeek;  // 0 is Sunday
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
};

void LinuxGetLocalTime(LinuxSystemTime* time);
void LinuxGetSystemTime(LinuxSystemTime* time);  // universal time

// The local date as "MM/DD/YY" and the local time as "HH:MM:SS" (buffers of at
// least 9 bytes); each returns its buffer.
char* LinuxStrDate(char* buffer);
char* LinuxStrTime(char* buffer);
