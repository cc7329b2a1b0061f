// The settings store for targets that link code which can reach it but never
// does in what they exercise: every call fails, as with no store at all.
#include "interfaces/tuner_service.h"

int getRegInt(const char*, int defaultValue) {
    return defaultValue;
}
int setRegInt(const char*, int) {
    return -1;
}
int getRegStr(const char*, char*) {
    return -1;
}
int setRegStr(const char*, const char*) {
    return -1;
}
