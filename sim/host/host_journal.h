// The host stand-in's side door for tests and the host program: the journal of every
// call the plug-ins made into the host, the host's configuration (screen, partitions,
// patches, languages, item lists) and its current state. Product code never includes
// this header.
//
// Journal lines (numbers in decimal, null words as 0):
//   register <media>                      registration fill-picture <count>
//   registration fill-picture-group <group> <count>   registration fill-tuner <count>
//   registration fill-tuner-group <group> <count>     registration callback <command>
//   registration release                  registration reserved-<5|6|7>
//   menu-factory <TV|FM> <path> <ok|missing>           menu set-uictrl
//   menu <command> <a1> <a2> <a3> <a4>   words decoded per command: numbers, texts,
//                                        lists as {a|b|c}, a callback as fn, words the
//                                        command does not use but non-null as ?
//   menu-notify <type> <len> <value>      menu-destroy <TV|FM>   menu reserved-2
//   panel-get  panel <command> <value> <flag>  panel-destroy
//   painter-get  painter clear <0|1>  painter flip  painter-delete
//   lang-get  lang prefer <id>  lang current <id>  lang set <id>  lang-destroy
//   drv-get  drv client-rect <window> -> <ok> <l> <t> <r> <b>
//   drv client-to-screen <window> -> <ok> <x> <y>   drv tv-out <mode>
//   autodetect-get  autodetect partitions <count>  autodetect-delete
//   upgrade check <mount> <a>.<b>.<c> -> <result> [<device> <x>.<y>.<z>]
//   upgrade read-version <key> -> <result> <a>.<b>.<c>
//   xml open <path> <ok|missing>
//   widget <class> <name> "<entry>" <x> <y> <w> <h> <layer> <visible>
//   widget-update <name>  widget-flush <name>  widget-delete <name>
//   fmpanel <command> <argument>
//   winmanage-get  winmanage-destroy
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "interfaces/export.h"
#include "interfaces/host_framework.h"

namespace hostsim {

// ---- Journal ----

ZAQ_EXPORT void JournalClear();
ZAQ_EXPORT std::vector<std::string> JournalSnapshot();
// Lines beginning with prefix.
ZAQ_EXPORT std::vector<std::string> JournalFind(const std::string& prefix);
ZAQ_EXPORT size_t JournalCount(const std::string& prefix);
ZAQ_EXPORT bool JournalContains(const std::string& line);
// Waits until a line beginning with prefix has been recorded (since the last clear).
ZAQ_EXPORT bool JournalWaitFor(const std::string& prefix, int timeoutMs);
// How many lines were ever recorded (clears do not reset it): a cheap way to see
// that the journal changed.
ZAQ_EXPORT uint64_t JournalSerial();
// The journal keeps at most this many lines, dropping the oldest.
constexpr size_t kJournalLimit = 20000;

// ---- Configuration ----

struct Screen {
    ZaqRect client{0, 0, 719, 479};
    ZaqPoint origin{0, 0};
    uint32_t deviceId = 0x2572;  // 65535: no display device known
    uint32_t displayHandle = 1;  // first word of the driver object
    bool clientRectFails = false;
    bool clientToScreenFails = false;
};
ZAQ_EXPORT void SetScreen(const Screen& screen);
ZAQ_EXPORT Screen GetScreen();

struct Partition {
    std::string location;  // mount location
    std::string drive;     // "C:", "D:", ...
};
ZAQ_EXPORT void SetPartitions(const std::vector<Partition>& partitions);

struct Patch {
    std::string mountPoint;
    std::string device;
    int major = 0;
    int minor = 0;
    int build = 0;
};
ZAQ_EXPORT void SetPatches(const std::vector<Patch>& patches);
// The version ReadVersionNumber reports; known false makes it fail.
ZAQ_EXPORT void SetInstalledVersion(bool known, int major, int minor, int build);

ZAQ_EXPORT void SetLanguages(int preferred, int current);

// Item lists of the registration object, per group.
ZAQ_EXPORT void SetPictureItems(int group, const std::vector<CZAQPictureItem>& items);
ZAQ_EXPORT void SetTunerItems(int group, const std::vector<CZAQTunerItem>& items);

// Back to the defaults, journal and state cleared. Live objects stay.
ZAQ_EXPORT void ResetAll();

// ---- Events from the host to the controllers ----

// The newest live setup menu (of any kind, or of the given media type) calls the
// callback it received with menu command 81. -1 when there is no such menu or it
// has no callback; else the callback's result.
ZAQ_EXPORT int MenuSendEvent(int code, const char* data, unsigned len, int value);
ZAQ_EXPORT int MenuSendEventFor(CUIMediaType media, int code, const char* data, unsigned len,
                                int value);
// Sends the event of a named item of the newest menu's layout; -1 when unknown.
ZAQ_EXPORT int MenuSelectItem(const std::string& name);
// The newest registration with a callback calls it; -1 when none.
ZAQ_EXPORT int RegistrationSendEvent(int code, const char* data, unsigned len, int value);

// ---- Current state, for the host program's status line ----

struct State {
    bool panelOpen = false;
    int channel = 0;          // panel 52
    int volume = 0;           // panel 0, 6, 22
    bool muted = false;       // panel 25, 26
    int soundMode = -1;       // panel 127
    int frequencyHz = 0;      // panel 64
    int frequencyFlag = 0;    // panel 64: favourite number, 999 while seeking
    bool menuOpen = false;    // menu 65, 66
    int sleepMinutes = 0;     // menu 184
    bool scanning = false;    // from menu 163 (scan progress) to 159, 160 or 161
    int scanSlot = 0;         // the slot number of the last menu 163
    int menuMessage = 0;      // menu 90, 91 (0 after 92)
    std::string fmFrequency;  // FM panel 38
    std::string fmFavourite;  // FM panel 200
    int fmVolume = 0;         // FM panel 32
    bool fmMuted = false;     // FM panel 8, 22
    std::string clock;        // FM panel 36
    std::string date;         // FM panel 35
    int language = 0;         // current language id
    int flips = 0;            // painter flips
};
ZAQ_EXPORT State CurrentState();

}  // namespace hostsim
