// The TV key table: what each committed key does once the modes let it
// through (tv_keys.cpp routes keys through the modes).
#pragma once

#include <string>

#include "plugins/tv/tv_controller.h"

// Control values of keys.
enum TvKey : unsigned char {
    kKeyEnter = 10,
    kKeyUp = 28,
    kKeyDown = 29,
    kKeyRight = 30,
    kKeyLeft = 31,
    kKeyMenuBack = 225,
};

// Runs the table entry for key (first byte k); key holds the whole string.
void RunKeyTable(TvController& tv, const std::string& key);

// The leading digits of key as a number (0 with count 0 when there are none).
long LeadingNumber(const std::string& key, int* digitCount);
