// Named settings of the product key "Software\Corvane\Vexplay" under the
// local-machine root of the file registry, with defaults for missing values.
#pragma once

// The stored 32-bit number, or def when the value is missing or longer than 4 bytes.
int SettingGetInt(const char* name, int def);

// Stores a number (type 1, length 4); 0 on success, else the failing registry result.
int SettingSetInt(const char* name, int value);

// Copies the stored text into buffer (size bytes); on failure copies def (the
// last byte forced to NUL) or, without def, stores an empty string. Returns 0
// when the stored value was read, -1 when the default was used.
int SettingGetString(const char* name, char* buffer, int size, const char* def);

// Stores text as a string value of length bytes (callers count the NUL).
// 0 on success, else the failing registry result.
int SettingSetString(const char* name, const char* text, int length);

// The stored text converted with strtod, or def when the value is missing.
float SettingGetFloat(const char* name, float def);

// Removes the value; 0 on success, -1 on failure.
int SettingDeleteValue(const char* name);
